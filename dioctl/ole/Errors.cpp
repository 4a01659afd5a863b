#include "ole/Errors.h"

#include <cstdio>

namespace ole {

std::string ErrorDescription(int number) {
    switch (number) {
        case kErrOverflow:
            return "Overflow";
        case kErrTypeMismatch:
            return "Type mismatch";
        case kErrFileNotFound:
            return "File not found";
        case kErrDeviceIO:
            return "Device I/O error";
        case kErrDeviceUnavailable:
            return "Device unavailable";
        case kErrPermissionDenied:
            return "Permission denied";
        case kErrObjectNotSet:
            return "Object variable not set";
        case kErrInvalidUseOfNull:
            return "Invalid use of Null";
        case kErrObjectRequired:
            return "Object required";
        case kErrCantCreateObject:
            return "Can't create object";
        case kErrNoAutomation:
            return "Class does not support automation or the expected interface";
        case kErrAutomation:
            return "Automation error";
        case kErrNoSuchMember:
            return "Object doesn't support this property or method";
        case kErrNamedArgNotFound:
            return "Named argument not found";
        case kErrArgNotOptional:
            return "Argument not optional";
        case kErrWrongArgCount:
            return "Wrong number of arguments or invalid property assignment";
        case kErrNoEntryPoint:
            return "Can't find library entry point";
    }
    return {};
}

RuntimeError::RuntimeError(int number, std::string description, std::string source)
    : std::runtime_error(description.empty() ? ErrorDescription(number) : description),
      m_number(number),
      m_description(description.empty() ? ErrorDescription(number) : std::move(description)),
      m_source(std::move(source)) {}

HRESULT HResultFromError(int number) {
    return static_cast<HRESULT>(static_cast<uint32_t>(CTL_E_BASE) |
                                (static_cast<uint32_t>(number) & 0xFFFF));
}

int ErrorFromHResult(HRESULT hr) {
    auto u = static_cast<uint32_t>(hr);
    if ((u & 0xFFFF0000u) == static_cast<uint32_t>(CTL_E_BASE)) return static_cast<int>(u & 0xFFFF);
    switch (hr) {
        case DISP_E_OVERFLOW:
            return kErrOverflow;
        case DISP_E_TYPEMISMATCH:
            return kErrTypeMismatch;
        case DISP_E_UNKNOWNNAME:
        case DISP_E_MEMBERNOTFOUND:
            return kErrNoSuchMember;
        case DISP_E_PARAMNOTFOUND:
            return kErrNamedArgNotFound;
        case DISP_E_PARAMNOTOPTIONAL:
            return kErrArgNotOptional;
        case DISP_E_BADPARAMCOUNT:
            return kErrWrongArgCount;
        case E_NOINTERFACE:
            return kErrNoAutomation;
        case E_POINTER:
            return kErrObjectNotSet;
    }
    return kErrAutomation;
}

RuntimeError ErrorFromInvoke(HRESULT hr, const EXCEPINFO& info) {
    if (hr == DISP_E_EXCEPTION) {
        int number = info.wCode ? info.wCode : ErrorFromHResult(info.scode);
        return RuntimeError(number, info.bstrDescription, info.bstrSource);
    }
    int number = ErrorFromHResult(hr);
    if (number != kErrAutomation) return RuntimeError(number);
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<uint32_t>(hr));
    return RuntimeError(number, ErrorDescription(number) + " (" + code + ")");
}

void FillExcepInfo(const RuntimeError& e, EXCEPINFO& info) {
    info.wCode = 0;
    info.scode = HResultFromError(e.Number());
    info.bstrDescription = e.Description();
    info.bstrSource = e.Source();
}

namespace {
thread_local std::optional<RuntimeError> t_errorInfo;
}

void SetErrorInfo(const RuntimeError& e) { t_errorInfo = e; }

void SetErrorInfo(int number, const std::string& description, const std::string& source) {
    t_errorInfo = RuntimeError(number, description, source);
}

std::optional<RuntimeError> GetErrorInfo() {
    std::optional<RuntimeError> e;
    e.swap(t_errorInfo);
    return e;
}

}  // namespace ole
