// The host application's side of intermediate-file import: it implements this
// interface and registers it with the IO manager.
#pragma once

class IModuleCommunicator {
public:
    virtual ~IModuleCommunicator() = default;
};
