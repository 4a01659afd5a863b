// The DIO automation class: relays, buttons and I2C port-expander bits over
// the parallel port. Clients create it by its programmatic identifier
// "dioctl.DIO" and use either the dual interface _DIO or late binding.
#pragma once

#include "ole/Unknown.h"
#include "ole/Variant.h"

// Type library dioctl 1.0.
inline constexpr ole::GUID LIBID_dioctl{
    0xD2ED0213, 0xA594, 0x4F27, {0xA1, 0xC1, 0x6D, 0xA0, 0xCC, 0xE2, 0x86, 0x40}};
inline constexpr ole::IID IID__DIO{
    0xAAD37ACA, 0xAA84, 0x4C5B, {0xB0, 0x6B, 0x6B, 0x11, 0xDB, 0x8E, 0x1C, 0xD0}};
inline constexpr ole::CLSID CLSID_DIO{
    0x4AF5883D, 0x4E8F, 0x4295, {0xAB, 0xE2, 0x64, 0xCC, 0xAC, 0xC7, 0x28, 0x46}};
inline constexpr const char* kDioProgID = "dioctl.DIO";

// Dispatch identifiers of _DIO, in interface order.
enum DIODispId : ole::DISPID {
    DISPID_DIO_MuteObject = 1,
    DISPID_DIO_mOwnerIndex,
    DISPID_DIO_OwnerControl,
    DISPID_DIO_InitPort,
    DISPID_DIO_WriteIO,
    DISPID_DIO_ReadIO,
    DISPID_DIO_ReadI2CPort,
    DISPID_DIO_CloseAll,
    DISPID_DIO_OpenAll,
    DISPID_DIO_SetI2C_Bit,
};

// Dual interface (hidden in the type library). Booleans are -1 and 0.
// Failures are runtime errors: CTL_E_BASE + number, details in the thread's
// error information.
struct _DIO : ole::IDispatch {
    virtual ole::HRESULT get_MuteObject(ole::IDispatch** value) = 0;
    virtual ole::HRESULT putref_MuteObject(ole::IDispatch** value) = 0;
    virtual ole::HRESULT get_mOwnerIndex(ole::VARIANT* value) = 0;
    virtual ole::HRESULT put_mOwnerIndex(const ole::VARIANT& value) = 0;
    virtual ole::HRESULT putref_mOwnerIndex(const ole::VARIANT& value) = 0;
    virtual ole::HRESULT OwnerControl(ole::VARIANT_BOOL* Mode) = 0;
    virtual ole::HRESULT InitPort(int16_t IOType, int16_t* result) = 0;
    virtual ole::HRESULT WriteIO(int16_t Relay, ole::VARIANT_BOOL State, int32_t* result) = 0;
    virtual ole::HRESULT ReadIO(int16_t Button, int16_t* result) = 0;
    virtual ole::HRESULT ReadI2CPort(ole::VARIANT* I2CAddr, int16_t* result) = 0;
    virtual ole::HRESULT CloseAll(int32_t* result) = 0;
    virtual ole::HRESULT OpenAll(int32_t* result) = 0;
    virtual ole::HRESULT SetI2C_Bit(ole::VARIANT_BOOL SetBit, int16_t BitNumber, uint8_t I2C_addr,
                                    int16_t* result) = 0;

protected:
    ~_DIO() = default;
};
