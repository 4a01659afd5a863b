// Controls on a dialog: what the program does to them and what the user's
// actions tell the dialog.
#include <gtest/gtest.h>

#include "platform/ui/ComboBox.h"
#include "platform/ui/DateTimeCtrl.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/TreeCtrl.h"
#include "platform/ui/testing/ScriptedUi.h"

using namespace platform::ui;

namespace {

enum : UINT { IDD = 300, IDC_COMBO = 1001, IDC_LIST, IDC_TREE, IDC_MULTI, IDC_DATE, IDC_PLAIN };

CResourceModule& Module() {
    static CResourceModule module = [] {
        CResourceModule m("controls");
        m.AddDialog({IDD,
                     "controls",
                     300,
                     300,
                     0,
                     {
                         {IDC_COMBO, WC_COMBOBOX, "", CBS_DROPDOWNLIST},
                         {IDC_LIST, WC_LISTVIEW, "", LVS_REPORT | LVS_SINGLESEL},
                         {IDC_TREE, WC_TREEVIEW, "", TVS_CHECKBOXES, 0, 0, 100, 200},
                         {IDC_MULTI, WC_TREEVIEW, "", 0},
                         {IDC_DATE, DATETIMEPICK_CLASS, "", DTS_SHOWNONE},
                         {IDC_PLAIN, WC_TREEVIEW, "", TVS_CHECKBOXES},
                     }});
        return m;
    }();
    return module;
}

// Records what its controls tell it.
class CControlsDlg : public CDialog {
public:
    CControlsDlg() : CDialog(IDD) {
        BindNotify(LVN_ITEMCHANGED, IDC_LIST, [this](NMHDR* h, LRESULT*) {
            auto* nm = reinterpret_cast<NMLISTVIEW*>(h);
            if ((nm->uNewState ^ nm->uOldState) & LVIS_SELECTED)
                Log(CString::Formatted("item %d %s", nm->iItem,
                                       (nm->uNewState & LVIS_SELECTED) ? "selected" : "left"));
        });
        BindNotify(NM_DBLCLK, IDC_LIST, [this](NMHDR* h, LRESULT*) {
            Log(CString::Formatted("double-click %d", reinterpret_cast<NMITEMACTIVATE*>(h)->iItem));
        });
        BindNotify(LVN_COLUMNCLICK, IDC_LIST, [this](NMHDR* h, LRESULT*) {
            Log(CString::Formatted("header %d", reinterpret_cast<NMLISTVIEW*>(h)->iSubItem));
        });
        BindCommand(CBN_SELCHANGE, IDC_COMBO, [this] { Log("combo " + m_combo.GetWindowText()); });
        BindNotify(NM_CLICK, IDC_TREE, [this](NMHDR*, LRESULT*) {
            CPoint pt;
            GetCursorPos(&pt);
            m_tree.ScreenToClient(&pt);
            UINT flags = 0;
            HTREEITEM hit = m_tree.HitTest(pt, &flags);
            Log(CString::Formatted("tree click %s on %s", m_tree.GetItemText(hit),
                                   (flags & TVHT_ONITEMSTATEICON) ? "check box" : "label"));
        });
        BindNotify(DTN_DATETIMECHANGE, IDC_DATE, [this](NMHDR*, LRESULT*) { Log("date"); });
    }
    void Log(const CString& s) { log.push_back(s); }
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, IDC_COMBO, m_combo);
        DDX_Control(dx, IDC_LIST, m_list);
        DDX_Control(dx, IDC_TREE, m_tree);
        DDX_Control(dx, IDC_MULTI, m_multi);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_combo.AddString("GSM");
        m_combo.InsertString(0, "TD-SCDMA");
        m_combo.InsertString(-1, "LTE");
        m_combo.SetItemData(2, 7);
        m_list.InsertColumn(0, "合并顺序", LVCFMT_CENTER, 100);
        m_list.InsertColumn(1, "文件名", LVCFMT_LEFT, 150);
        for (int i = 0; i < 3; ++i) {
            m_list.InsertItem(i, CString::Formatted("%d", i + 1));
            m_list.SetItemText(i, 1, CString::Formatted("f%d.log", i));
        }
        HTREEITEM td = m_tree.InsertItem("TD-SCDMA");
        HTREEITEM ts = m_tree.InsertItem("TimeslotInfo", td);
        m_tree.InsertItem("MidambleShift", ts);
        m_tree.InsertItem("TimeslotISCP", ts);
        m_tree.InsertItem("UARFCN", td);
        m_tree.InsertItem("GSM");
        m_tree.Expand(td, TVE_EXPAND);
        for (const char* name : {"RxLev", "RxQual", "C/I"}) m_multi.InsertItem(name);
        m_plain.SubclassDlgItem(IDC_PLAIN, this);
        m_plain.InsertItem("RxLev", m_plain.InsertItem("GSM"));
        return TRUE;
    }
    std::vector<CString> log;
    CComboBox m_combo;
    CListCtrl m_list;
    CMutiTreeCtrl m_tree;
    CTreeCtrlEx m_multi;
    CTreeCtrl m_plain;
};

CString States(CTreeCtrl& tree) {
    CString s;
    for (const char* path :
         {"TD-SCDMA", "TD-SCDMA/TimeslotInfo", "TD-SCDMA/TimeslotInfo/MidambleShift",
          "TD-SCDMA/TimeslotInfo/TimeslotISCP", "TD-SCDMA/UARFCN", "GSM"})
        s += CString::Formatted("%u",
                                tree.GetItemState(tree.FindPath(path), TVIS_STATEIMAGEMASK) >> 12);
    return s;
}

}  // namespace

TEST(ThreeStateTreeTest, ParentsFollowTheirChildren) {
    CResourceHandle guard(&Module());
    CControlsDlg dlg;
    std::vector<CString> states;
    auto look = [&](CWnd&) { states.push_back(States(dlg.m_tree)); };
    ScriptedUi ui;
    ui.ExpectDialog(IDD)
        .Do(look)
        .CheckItem(IDC_TREE, "TD-SCDMA/TimeslotInfo/MidambleShift")
        .Do(look)
        .CheckItem(IDC_TREE, "TD-SCDMA/TimeslotInfo/TimeslotISCP")
        .Do(look)
        .CheckItem(IDC_TREE, "TD-SCDMA/UARFCN")
        .Do(look)
        .CheckItem(IDC_TREE, "TD-SCDMA/TimeslotInfo", false)  // the whole group goes
        .Do(look)
        .Do([&](CWnd&) {
            // The program sets a leaf, and inserts a checked one: parents follow.
            dlg.m_tree.SetItemState(dlg.m_tree.FindPath("TD-SCDMA/TimeslotInfo/MidambleShift"),
                                    INDEXTOSTATEIMAGEMASK(3), TVIS_STATEIMAGEMASK);
            states.push_back(States(dlg.m_tree));
            HTREEITEM gsm = dlg.m_tree.FindPath("GSM");
            dlg.m_tree.SetCheck(dlg.m_tree.InsertItem("RxLev", gsm));
            states.push_back(States(dlg.m_tree));
            dlg.m_tree.DeleteItem(dlg.m_tree.FindPath("TD-SCDMA/TimeslotInfo/TimeslotISCP"));
            EXPECT_EQ(dlg.m_tree.GetItemState(dlg.m_tree.FindPath("TD-SCDMA/TimeslotInfo"),
                                              TVIS_STATEIMAGEMASK),
                      INDEXTOSTATEIMAGEMASK(3));
        })
        .Cancel();
    dlg.DoModal();
    EXPECT_EQ(states, (std::vector<CString>{"111111", "223111", "233311", "333331", "211131",
                                            "223131", "223133"}));
    // The check box click came with the cursor on the check box.
    EXPECT_EQ(dlg.log[0], "tree click MidambleShift on check box");
}

TEST(TreeTest, PlainCheckBoxesSelectionHitTestAndMultipleSelection) {
    CResourceHandle guard(&Module());
    CControlsDlg dlg;
    ScriptedUi ui;
    ui.ExpectDialog(IDD)
        .Select(IDC_TREE, "TD-SCDMA/TimeslotInfo/TimeslotISCP")  // expands its parents
        .CheckItem(IDC_PLAIN, "GSM/RxLev")
        .Select(IDC_MULTI, "RxLev")
        .SelectAlso(IDC_MULTI, "C/I")
        .Do([&](CWnd&) {
            EXPECT_EQ(dlg.m_tree.GetItemText(dlg.m_tree.GetSelectedItem()), "TimeslotISCP");
            EXPECT_TRUE(dlg.m_tree.GetItemState(dlg.m_tree.FindPath("TD-SCDMA/TimeslotInfo"),
                                                TVIS_EXPANDED));
            // Plain check boxes: 2 checked, the parent keeps its own state.
            EXPECT_TRUE(dlg.m_plain.GetCheck(dlg.m_plain.FindPath("GSM/RxLev")));
            EXPECT_FALSE(dlg.m_plain.GetCheck(dlg.m_plain.FindPath("GSM")));
            std::vector<CString> selected;
            for (HTREEITEM h = dlg.m_multi.GetFirstSelectedItem(); h;
                 h = dlg.m_multi.GetNextSelectedItem(h))
                selected.push_back(dlg.m_multi.GetItemText(h));
            EXPECT_EQ(selected, (std::vector<CString>{"RxLev", "C/I"}));
            // A point right of a label is not on it.
            UINT flags = 0;
            CPoint pt = dlg.m_tree.ItemPoint(dlg.m_tree.FindPath("GSM"));
            EXPECT_EQ(dlg.m_tree.GetItemText(dlg.m_tree.HitTest(pt, &flags)), "GSM");
            EXPECT_EQ(flags, TVHT_ONITEMLABEL);
            pt.x += 200;
            dlg.m_tree.HitTest(pt, &flags);
            EXPECT_EQ(flags, TVHT_ONITEMRIGHT);
        })
        .Ok();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.log.back(), "tree click TimeslotISCP on label");
}

TEST(ListAndComboTest, SelectionNotificationsAndLookups) {
    CResourceHandle guard(&Module());
    CControlsDlg dlg;
    ScriptedUi ui;
    ui.ExpectDialog(IDD)
        .Do([&](CWnd&) {
            EXPECT_EQ(dlg.m_combo.GetCount(), 3);
            EXPECT_EQ(dlg.m_combo.GetLBText(0), "TD-SCDMA");
            EXPECT_EQ(dlg.m_combo.FindStringExact(-1, "gsm"), 1);
            EXPECT_EQ(dlg.m_combo.FindString(-1, "L"), 2);
            EXPECT_EQ(dlg.m_combo.FindString(-1, "x"), CB_ERR);
            EXPECT_EQ(dlg.m_combo.GetItemData(2), 7u);
            EXPECT_EQ(dlg.m_combo.GetCurSel(), CB_ERR);
            EXPECT_EQ(dlg.m_list.GetHeaderCtrl()->GetItemCount(), 2);
            EXPECT_EQ(dlg.m_list.GetColumnFormat(0), LVCFMT_CENTER);
        })
        .Select(IDC_COMBO, "LTE")
        .Select(IDC_LIST, 0)
        .Select(IDC_LIST, "2")  // single selection: item 0 is left
        .DoubleClick(IDC_LIST, 2)
        .ClickHeader(IDC_LIST, 1)
        .SetDate(IDC_DATE, COleDateTime(2024, 5, 6, 7, 8, 9))
        .Do([&](CWnd&) {
            EXPECT_EQ(dlg.m_list.GetSelectedCount(), 1u);
            EXPECT_EQ(dlg.m_list.GetNextItem(-1, LVNI_SELECTED), 2);
            EXPECT_EQ(dlg.m_list.GetNextItem(-1, LVNI_FOCUSED), 2);
            dlg.m_list.DeleteItem(0);
            POSITION pos = dlg.m_list.GetFirstSelectedItemPosition();
            EXPECT_EQ(dlg.m_list.GetNextSelectedItem(pos), 1);
            EXPECT_EQ(pos, nullptr);
            EXPECT_EQ(dlg.m_list.GetItemText(1, 1), "f2.log");
            auto* date = static_cast<CDateTimeCtrl*>(dlg.GetDlgItem(IDC_DATE));
            COleDateTime t;
            date->GetTime(t);
            EXPECT_EQ(t.Format(), "2024-05-06 07:08:09");
            date->SetTime(nullptr);
            date->GetTime(t);
            EXPECT_EQ(t.GetStatus(), COleDateTime::null);
        })
        .Ok();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.log, (std::vector<CString>{"combo LTE", "item 0 selected", "item 0 left",
                                             "item 1 selected", "item 1 left", "item 2 selected",
                                             "double-click 2", "header 1", "date"}));
}
