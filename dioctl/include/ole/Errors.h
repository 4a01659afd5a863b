// Numbered runtime errors, as automation clients know them, and the
// per-thread error information that goes with a failed call.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "ole/Types.h"
#include "ole/Unknown.h"

namespace ole {

// Numbers of the runtime errors this runtime raises.
enum RuntimeErrorNumber : int {
    kErrOverflow = 6,
    kErrTypeMismatch = 13,
    kErrFileNotFound = 53,
    kErrDeviceIO = 57,
    kErrDeviceUnavailable = 68,
    kErrPermissionDenied = 70,
    kErrObjectNotSet = 91,
    kErrInvalidUseOfNull = 94,
    kErrObjectRequired = 424,
    kErrCantCreateObject = 429,
    kErrNoAutomation = 430,
    kErrNoSuchMember = 438,
    kErrAutomation = 440,
    kErrNamedArgNotFound = 448,
    kErrArgNotOptional = 449,
    kErrWrongArgCount = 450,
    kErrNoEntryPoint = 453,
};

// The standard text of an error number ("Overflow" for 6); empty when unknown.
std::string ErrorDescription(int number);

class RuntimeError : public std::runtime_error {
public:
    // Without a description the standard text of the number is used.
    explicit RuntimeError(int number, std::string description = {}, std::string source = {});
    int Number() const { return m_number; }
    const std::string& Description() const { return m_description; }
    const std::string& Source() const { return m_source; }

private:
    int m_number;
    std::string m_description;
    std::string m_source;
};

// Code under which an error number travels (CTL_E_BASE + number).
HRESULT HResultFromError(int number);
// The error number a client sees for a failed call; failures without a
// number of their own are 440 (automation error).
int ErrorFromHResult(HRESULT hr);
// A failed call as the runtime error the client sees: DISP_E_EXCEPTION
// carries its own number and texts in the exception information.
RuntimeError ErrorFromInvoke(HRESULT hr, const EXCEPINFO& info);
// Fills the exception information of a runtime error.
void FillExcepInfo(const RuntimeError& e, EXCEPINFO& info);

// Per-thread information about the last failure of a runtime or object call.
void SetErrorInfo(const RuntimeError& e);
void SetErrorInfo(int number, const std::string& description, const std::string& source = {});
// Takes the information (it is cleared).
std::optional<RuntimeError> GetErrorInfo();

}  // namespace ole
