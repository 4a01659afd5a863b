// Window classes and styles of dialog templates and controls.
#pragma once

#include "platform/ui/WinTypes.h"

// Control classes as templates name them.
#define WC_STATIC "STATIC"
#define WC_BUTTON "BUTTON"
#define WC_EDIT "EDIT"
#define WC_COMBOBOX "COMBOBOX"
#define WC_LISTVIEW "SysListView32"
#define WC_TREEVIEW "SysTreeView32"
#define DATETIMEPICK_CLASS "SysDateTimePick32"

// Every window.
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;

// Buttons: the low four bits are the kind.
constexpr DWORD BS_PUSHBUTTON = 0x0;
constexpr DWORD BS_DEFPUSHBUTTON = 0x1;
constexpr DWORD BS_CHECKBOX = 0x2;
constexpr DWORD BS_AUTOCHECKBOX = 0x3;
constexpr DWORD BS_RADIOBUTTON = 0x4;
constexpr DWORD BS_3STATE = 0x5;
constexpr DWORD BS_AUTO3STATE = 0x6;
constexpr DWORD BS_GROUPBOX = 0x7;
constexpr DWORD BS_AUTORADIOBUTTON = 0x9;
constexpr DWORD BS_TYPEMASK = 0xF;

// Edits.
constexpr DWORD ES_LEFT = 0x0;
constexpr DWORD ES_MULTILINE = 0x4;
constexpr DWORD ES_AUTOHSCROLL = 0x80;
constexpr DWORD ES_READONLY = 0x800;
constexpr DWORD ES_NUMBER = 0x2000;

// Combo boxes.
constexpr DWORD CBS_SIMPLE = 0x1;
constexpr DWORD CBS_DROPDOWN = 0x2;
constexpr DWORD CBS_DROPDOWNLIST = 0x3;
constexpr DWORD CBS_SORT = 0x100;

// List views.
constexpr DWORD LVS_ICON = 0x0;
constexpr DWORD LVS_REPORT = 0x1;
constexpr DWORD LVS_SMALLICON = 0x2;
constexpr DWORD LVS_LIST = 0x3;
constexpr DWORD LVS_SINGLESEL = 0x4;
constexpr DWORD LVS_SHOWSELALWAYS = 0x8;
constexpr DWORD LVS_NOSORTHEADER = 0x8000;
constexpr DWORD LVS_EX_GRIDLINES = 0x1;
constexpr DWORD LVS_EX_CHECKBOXES = 0x4;
constexpr DWORD LVS_EX_HEADERDRAGDROP = 0x10;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x20;

// Trees.
constexpr DWORD TVS_HASBUTTONS = 0x1;
constexpr DWORD TVS_HASLINES = 0x2;
constexpr DWORD TVS_LINESATROOT = 0x4;
constexpr DWORD TVS_SHOWSELALWAYS = 0x20;
constexpr DWORD TVS_CHECKBOXES = 0x100;

// Date-time pickers.
constexpr DWORD DTS_SHORTDATEFORMAT = 0x0;
constexpr DWORD DTS_UPDOWN = 0x1;
constexpr DWORD DTS_SHOWNONE = 0x2;
constexpr DWORD DTS_LONGDATEFORMAT = 0x4;
constexpr DWORD DTS_TIMEFORMAT = 0x9;

// ShowWindow.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;
