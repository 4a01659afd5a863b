#pragma once

// Version of the reference host's libraries.
const char* HostVersion();
