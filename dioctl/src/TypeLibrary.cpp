// The dioctl type library: the hidden dual interface _DIO and the class DIO.
#include "DIOObject.h"
#include "ole/Variant.h"

namespace dioctl {

using namespace ole;

const InterfaceInfo& DIOInterface() {
    static const InterfaceInfo info{
        "_DIO",
        IID__DIO,
        /*dual=*/true,
        /*hidden=*/true,
        {
            {"MuteObject",
             DISPID_DIO_MuteObject,
             DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUTREF,
             {},
             VT_DISPATCH},
            {"mOwnerIndex",
             DISPID_DIO_mOwnerIndex,
             DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF,
             {},
             VT_VARIANT},
            {"OwnerControl",
             DISPID_DIO_OwnerControl,
             DISPATCH_METHOD,
             {{"Mode", VT_BOOL, true}},
             VT_EMPTY},
            {"InitPort", DISPID_DIO_InitPort, DISPATCH_METHOD, {{"IOType", VT_I2, false}}, VT_I2},
            {"WriteIO",
             DISPID_DIO_WriteIO,
             DISPATCH_METHOD,
             {{"Relay", VT_I2, false}, {"State", VT_BOOL, false}},
             VT_I4},
            {"ReadIO", DISPID_DIO_ReadIO, DISPATCH_METHOD, {{"Button", VT_I2, false}}, VT_I2},
            {"ReadI2CPort",
             DISPID_DIO_ReadI2CPort,
             DISPATCH_METHOD,
             {{"I2CAddr", VT_VARIANT, true}},
             VT_I2},
            {"CloseAll", DISPID_DIO_CloseAll, DISPATCH_METHOD, {}, VT_I4},
            {"OpenAll", DISPID_DIO_OpenAll, DISPATCH_METHOD, {}, VT_I4},
            {"SetI2C_Bit",
             DISPID_DIO_SetI2C_Bit,
             DISPATCH_METHOD,
             {{"SetBit", VT_BOOL, false}, {"BitNumber", VT_I2, false}, {"I2C_addr", VT_UI1, false}},
             VT_I2},
        }};
    return info;
}

const TypeLibInfo& TypeLibrary() {
    static const TypeLibInfo lib{
        "dioctl", LIBID_dioctl, 1, 0, {&DIOInterface()}, {{"DIO", CLSID_DIO, &DIOInterface()}}};
    return lib;
}

}  // namespace dioctl
