// Block makers of the log generator: plausible values, with some absent and
// invalid codes and lists of every length the importer has to cope with.
#include <algorithm>
#include <vector>

#include "host/logstore/GeneratorParts.h"
#include "logio/host/Decode.h"

namespace logstore::gen {
namespace {

template <size_t N>
int Pick(Rng& rng, const int (&choices)[N]) {
    return choices[rng.Below(static_cast<int>(N))];
}

// RSCP-type byte: dBm + 116; now and then absent (-1) or invalid (-2).
int8_t RscpByte(Rng& rng, int dbm) {
    const int roll = rng.Below(100);
    if (roll == 0) return -1;
    if (roll == 1) return -2;
    return static_cast<int8_t>(std::clamp(dbm + 116, 0, 90));
}

uint16_t Coded16(Rng& rng, int value) {
    const int roll = rng.Below(50);
    if (roll == 0) return 65535;
    if (roll == 1) return 65534;
    return static_cast<uint16_t>(value);
}

uint8_t Coded8(Rng& rng, int value) {
    const int roll = rng.Below(50);
    if (roll == 0) return 255;
    if (roll == 1) return 254;
    return static_cast<uint8_t>(value);
}

void FillMeasList(Rng& rng, CIE_TD_Meas_List& b) {
    b.vEntries.resize(Pick(rng, kMeasListLengths));
    for (auto& e : b.vEntries) {
        e.n22556 = Coded16(rng, rng.Range(0, 1000));
        e.n23356 = Coded16(rng, rng.Range(0, 1000));
        e.n24556 = Coded16(rng, rng.Range(0, 1000));
        e.n21356 = Coded16(rng, rng.Range(0, 1000));
        e.n22156 = Coded8(rng, rng.Range(0, 90));
        e.n22956 = Coded8(rng, rng.Range(0, 90));
        e.n21756 = Coded8(rng, rng.Range(0, 90));
        e.nNibbles = static_cast<uint8_t>(rng.Below(256));
        e.n23756 = Coded8(rng, rng.Range(0, 90));
        e.nFlags = static_cast<uint8_t>(rng.Below(32));
        e.n24156 = Coded8(rng, rng.Range(0, 90));
    }
}

void FillTDLists(Rng& rng, Serving& s, CTestdataBase& r) {
    if (rng.Percent(20)) r.Attach(r.m_pTDFirstByte)->n4610 = Coded8(rng, rng.Range(0, 10));
    if (rng.Percent(3)) FillMeasList(rng, *r.Attach(r.m_pTDMeasList));
    if (rng.Percent(5)) {
        auto& b = *r.Attach(r.m_pTDSecondList);
        b.vEntries.resize(rng.Range(0, 12));
        for (auto& e : b.vEntries) {
            e.n24957 = Coded16(rng, rng.Range(0, 500));
            e.n25357 = Coded16(rng, rng.Range(0, 500));
            e.n25757 = Coded8(rng, rng.Range(0, 100));
            e.n26157 = Coded8(rng, rng.Range(0, 100));
        }
    }
    if (rng.Percent(15)) {
        auto& b = *r.Attach(r.m_pTDCellParaList);
        b.vCells.resize(Pick(rng, kCellParaLengths));
        for (auto& c : b.vCells) {
            c.n5132 = Coded8(rng, std::clamp(s.rscp + 116 + rng.Range(-10, 10), 0, 90));
            c.n5165 = Coded8(rng, rng.Range(0, 127));
        }
    }
    if (rng.Percent(10)) {
        auto& b = *r.Attach(r.m_pTDQuality);
        b.n5248 = rng.Range(0, 100), b.n26608 = rng.Range(-1, 50), b.n26609 = rng.Range(-2, 50);
        b.f5249 = rng.Realf(0, 1);
    }
    if (rng.Percent(8)) {
        auto& b = *r.Attach(r.m_pTDTimeslotList);
        b.f26610 = rng.Realf(-5, 20);
        b.n26611 = rng.Range(0, 6);
        b.vEntries.resize(rng.Range(0, 7));
        for (auto& e : b.vEntries)
            e.n26612 = RscpByte(rng, s.rscp), e.n26618 = RscpByte(rng, s.rscp - 5),
            e.n26624 = RscpByte(rng, s.rscp - 10);
    }
    if (rng.Percent(5))
        for (auto& v : r.Attach(r.m_pTDTenValues)->nValue) v = rng.Range(-2, 1000);
    if (rng.Percent(5)) {
        auto& b = *r.Attach(r.m_pTDTwoValues);
        b.n26642 = rng.Range(0, 100), b.n26643 = rng.Range(0, 100);
    }
    if (rng.Percent(5)) {
        auto& b = *r.Attach(r.m_pTDThreeValues);
        b.n5254 = rng.Range(0, 100), b.f5253 = rng.Realf(0, 30), b.n5255 = rng.Range(0, 3);
    }
    if (rng.Percent(5)) {
        auto& b = *r.Attach(r.m_pTDCellList);
        b.n4612 = rng.Range(0, 43), b.n4699 = rng.Range(0, 10);
        b.vEntries.resize(rng.Range(0, 45));
        for (auto& e : b.vEntries)
            e.n4613 = RscpByte(rng, s.rscp - rng.Range(0, 20)),
            e.n4645 = Coded8(rng, rng.Range(0, 127)), e.n21915 = Coded8(rng, rng.Range(0, 3));
    }
    if (rng.Percent(5)) {
        auto& b = *r.Attach(r.m_pTDCell32List);
        b.vEntries.resize(rng.Range(0, 34));
        for (auto& e : b.vEntries)
            e.n26701 = Coded8(rng, rng.Range(0, 127)),
            e.n26733 = Coded16(rng, rng.Range(10054, 10121));
    }
    if (rng.Percent(5)) {
        auto& b = *r.Attach(r.m_pTDThreeValuesB);
        b.n5251 = rng.Range(0, 100), b.n5252 = rng.Range(0, 100), b.f5250 = rng.Realf(0, 1);
    }
    if (rng.Percent(5)) {
        auto& b = *r.Attach(r.m_pTDFourValues);
        b.n5247 = rng.Range(0, 9), b.n5256 = rng.Range(0, 9), b.n5258 = rng.Range(0, 9);
        b.f5257 = rng.Realf(0, 100);
    }
    if (rng.Percent(5)) {
        auto& b = *r.Attach(r.m_pTDLastTwo);
        b.nFlag = static_cast<uint8_t>(rng.Below(2));
        b.n4611 = Coded16(rng, rng.Range(0, 300)), b.n5259 = Coded16(rng, rng.Range(0, 300));
    }
    if (rng.Percent(4)) {
        auto& b = *r.Attach(r.m_pTDParamTen);
        b.n21255 = rng.Range(0, 9), b.n21256 = Coded16(rng, rng.Range(0, 99));
        b.n21257 = rng.Range(0, 9), b.n21258 = Coded16(rng, rng.Range(0, 99));
        b.n21259 = rng.Range(0, 9), b.n21260 = Coded16(rng, rng.Range(0, 99));
        b.n21261 = rng.Range(0, 9), b.n21262 = Coded16(rng, rng.Range(0, 99));
        b.n21263 = rng.Range(0, 9), b.n21264 = Coded8(rng, rng.Range(0, 9));
    }
    if (rng.Percent(3)) {
        auto& b = *r.Attach(r.m_pTDParamLists);
        const int fields[5] = {5, 9, 5, 5, 5};
        for (int k = 0; k < 5; ++k) {
            b.vList[k].resize(rng.Range(0, 4));
            for (auto& e : b.vList[k]) {
                e.vValues.resize(fields[k]);
                for (auto& v : e.vValues) v = rng.Range(-1, 200);
            }
        }
    }
    if (rng.Percent(3)) {
        auto& b = *r.Attach(r.m_pTDParamSingles);
        for (auto& v : b.n21249) v = rng.Range(0, 50);
        b.f21138 = rng.Realf(0, 400);
        for (auto& v : b.n21139) v = rng.Range(0, 50);
        b.n21166 = rng.Range(0, 50);
        for (auto& v : b.n21240) v = rng.Range(0, 50);
        for (auto& v : b.n21207) v = rng.Range(0, 50);
        b.n5930 = rng.Range(0, 5), b.n5931 = rng.Range(0, 5);
    }
    if (rng.Percent(8)) {
        auto& b = *r.Attach(r.m_pTDTrCHLists);
        for (auto& c : b.nCount) c = static_cast<uint8_t>(rng.Range(0, 7));
        for (auto& g : b.nGroup)
            for (auto& v : g) v = rng.Range(0, 300);
        b.vFamilies.resize(rng.Range(1, 6));
        for (auto& f : b.vFamilies) {
            f.nFamily = static_cast<uint8_t>(rng.Below(36));
            f.vValues.resize(rng.Range(1, 7));
            for (auto& v : f.vValues)
                v = rng.Percent(10) ? 0xFFFFFFFFu : static_cast<uint32_t>(rng.Range(1, 32));
        }
    }
    if (rng.Percent(6)) {
        auto& b = *r.Attach(r.m_pTDAllocList);
        b.vEntries.resize(Pick(rng, kAllocLengths));
        for (auto& e : b.vEntries) {
            e.n31362 = static_cast<int16_t>(rng.Range(-5, 5));
            e.n31382 = Coded16(rng, rng.Range(0, 16)), e.n31402 = Coded16(rng, rng.Range(0, 16));
            e.n31422 = Coded16(rng, rng.Range(0, 16));
            e.n31442 = Coded8(rng, rng.Range(0, 6)), e.n31462 = Coded8(rng, rng.Range(0, 6));
            e.n31482 = Coded8(rng, rng.Range(0, 6)), e.n31502 = Coded8(rng, rng.Range(0, 6));
        }
    }
    if (rng.Percent(8)) {
        // A few codes on a few timeslots, a timeslot named more than once.
        auto& b = *r.Attach(r.m_pTDCodeList);
        b.vEntries.resize(rng.Range(1, 8));
        for (auto& e : b.vEntries) {
            e.nTimeslot = static_cast<int16_t>(rng.Range(0, 6));
            e.nCode = static_cast<int16_t>(rng.Percent(5) ? -2 : rng.Range(0, 15));
            e.nData = rng.Percent(5) ? -1 : rng.Range(0, 1000);
            e.nDirection = static_cast<int8_t>(e.nTimeslot <= 3 ? 0 : 1);
            e.nMidambleConfig = static_cast<int8_t>(Pick(rng, {2, 4, 6, 8, 10, 12, 14, 16}));
            e.nMidambleShift = static_cast<int8_t>(rng.Range(0, 15));
        }
    }
    if (rng.Percent(5)) r.Attach(r.m_pTDQualityWord)->n5403 = Coded16(rng, rng.Range(0, 31));
    if (rng.Percent(5))
        for (auto& v : r.Attach(r.m_pTDExtraValues)->nValue)
            v = rng.Percent(20) ? -255 : rng.Range(0, 1000);
    if (rng.Percent(10)) r.Attach(r.m_pServiceState)->n26770 = Coded8(rng, rng.Range(0, 5));
}

}  // namespace

void FillTDBlocks(Rng& rng, Serving& s, CTestdataBase& r, bool rich) {
    s.rscp = std::clamp(s.rscp + rng.Range(-3, 3), -115, -45);
    if (rng.Percent(15) || rich) {
        auto& b = *r.Attach(r.m_pSCellPara);
        b.nCellParameterID = static_cast<int8_t>(s.cellParameterID);
        b.nMCC = 460, b.nMNC = 0, b.nLAC = 4100, b.nRAC = static_cast<int16_t>(rng.Range(1, 9));
        b.nCellID = s.cellKey, b.nUARFCN = s.uarfcn;
        b.n149 = static_cast<int8_t>(rng.Range(0, 7)),
        b.n150 = static_cast<int8_t>(rng.Range(0, 7));
        b.n151 = static_cast<int8_t>(rng.Range(0, 7)),
        b.n158 = static_cast<int16_t>(rng.Range(0, 60));
        b.n152 = 2, b.n153 = 4, b.n154 = 460, b.n26765 = 0,
        b.n155 = static_cast<int8_t>(rng.Range(-2, 20));
        b.n156 = static_cast<int16_t>(rng.Range(-103, -80)), b.n157 = 3, b.n169 = 1, b.n159 = 2;
        b.nOffset5261 = static_cast<int16_t>(rng.Percent(30) ? -3000 : rng.Range(-20, 20));
        b.nOffset5260 = static_cast<int16_t>(rng.Percent(30) ? -3000 : rng.Range(-20, 20));
        b.vURAIdentities.resize(rng.Range(0, 7));
        for (auto& u : b.vURAIdentities) u = static_cast<int16_t>(rng.Range(1, 999));
    }
    {
        auto& b = *r.Attach(r.m_pSCellMeas);
        b.nTimeslotCount = static_cast<int8_t>(rng.Percent(3) ? -1 : 7);
        b.vISCP.clear();
        b.vDPCHRSCP.clear();
        if (b.nTimeslotCount > 0) {
            for (int ts = 0; ts < 7; ++ts)
                if (rng.Percent(85))
                    b.vISCP.push_back(
                        {static_cast<int8_t>(ts), RscpByte(rng, rng.Range(-105, -85))});
            for (int ts = 2; ts < 7; ++ts)
                if (rng.Percent(60))
                    b.vDPCHRSCP.push_back(
                        {static_cast<int8_t>(ts), RscpByte(rng, s.rscp - rng.Range(0, 6))});
            if (rng.Percent(2)) b.vISCP.push_back({9, 20});  // outside 0..6: ignored
        }
        b.nRSCP = RscpByte(rng, s.rscp);
        b.n498 = Coded8(rng, rng.Range(0, 31));
        b.n508 = rng.Percent(3) ? 255 : rng.Range(0, 100);
        b.n509 = rng.Percent(3) ? -1 : rng.Range(0, 100);
        b.n510 = rng.Percent(3) ? -2 : rng.Range(0, 100);
        b.n518 = static_cast<int16_t>(rng.Range(0, 20));
        b.n519 = static_cast<int16_t>(rng.Range(0, 2));
        b.n501 = Coded16(rng, rng.Range(1, 400));
        b.n502 = static_cast<int8_t>(rng.Range(20, 70));
        b.n503 = static_cast<int8_t>(rng.Range(10, 60));
        b.n504 = static_cast<int8_t>(rng.Range(0, 40));
        b.n505 = static_cast<int8_t>(rng.Range(0, 31));
        b.n506 = static_cast<int8_t>(rng.Range(0, 90));
        b.n175 = static_cast<int8_t>(rng.Range(0, 3));
        b.nServingTimeslot = static_cast<uint8_t>(rng.Range(0, 6));
    }
    if (rng.Percent(60) || rich) {
        auto& b = *r.Attach(r.m_pNCellMeas);
        b.vCells.resize(rng.Percent(5) ? 32 : Pick(rng, kTDNeighbourLengths));
        for (auto& c : b.vCells) {
            c.nCellParameterID = static_cast<int8_t>(rng.Percent(3) ? -1 : rng.Range(0, 127));
            c.nUARFCN = rng.Percent(3) ? -1 : 10055 + 8 * rng.Range(0, 8);
            c.nRSCP = RscpByte(rng, s.rscp - rng.Range(2, 25));
            c.n1237 = Coded8(rng, rng.Range(0, 63));
            c.n1269 = rng.Percent(3) ? 255 : rng.Range(0, 63);
            c.nRSSI = static_cast<int8_t>(rng.Percent(3) ? -1 : rng.Range(10, 60));
            c.n1301 = rng.Range(0, 10);
            c.nTimeslotCount = static_cast<int8_t>(rng.Percent(5) ? -1 : rng.Range(0, 7));
            c.vISCP.resize(std::max(0, static_cast<int>(c.nTimeslotCount)));
            for (size_t ts = 0; ts < c.vISCP.size(); ++ts)
                c.vISCP[ts] = {static_cast<int8_t>(ts), RscpByte(rng, rng.Range(-105, -85))};
        }
    }
    if (rng.Percent(25) || rich) {
        auto& b = *r.Attach(r.m_pChannelPara);
        b.n170 = Coded8(rng, rng.Range(0, 3)), b.n171 = Coded8(rng, rng.Range(0, 3));
        b.n172 = static_cast<int16_t>(rng.Range(0, 20)),
        b.n173 = static_cast<int16_t>(rng.Range(-10, 24));
        b.n174 = Coded8(rng, rng.Range(1, 16)), b.n198 = Coded8(rng, rng.Range(0, 6));
        b.n199 = Coded8(rng, rng.Range(0, 6));
        b.vTrCH.clear();
        int id = 0;
        for (int n = rng.Range(0, 4); n > 0; --n) {
            TrCH_st t;
            t.nTrCHID = static_cast<uint8_t>(id += rng.Range(1, 8));
            t.nTotalBlocks = rng.Percent(5) ? -255 : rng.Range(0, 100);
            t.nErrorBlocks =
                t.nTotalBlocks <= 0 ? t.nTotalBlocks : rng.Range(0, t.nTotalBlocks / 10);
            t.fBLER = t.nTotalBlocks > 0 ? 100.0f * t.nErrorBlocks / t.nTotalBlocks : -255.0f;
            b.vTrCH.push_back(t);
        }
        b.vChannelGroup.resize(rng.Range(0, 3));
        for (auto& g : b.vChannelGroup)
            for (auto& v : g.nValue) v = rng.Range(-1, 100);
    }
    if (rng.Percent(25) || rich) {
        auto& b = *r.Attach(r.m_pMeasRes);
        b.n489 = Coded8(rng, rng.Range(50, 110)), b.n490 = static_cast<int8_t>(rng.Range(0, 40));
        b.vResults.resize(rng.Range(0, 8));
        for (auto& m : b.vResults)
            m.f1589 = rng.Realf(-5, 25), m.f1623 = rng.Realf(0, 30),
            m.f1657 = rng.Percent(5) ? -255.0f : rng.Realf(0, 10), m.n1819 = rng.Range(0, 100),
            m.f1851 = rng.Realf(0, 1);
        b.vShortResults.resize(rng.Range(0, 11));
        for (auto& m : b.vShortResults) m.f1958 = rng.Realf(0, 20), m.f1971 = rng.Realf(0, 20);
        b.n493 = Coded8(rng, rng.Range(0, 100));
    }
    if (rng.Percent(5) || rich) {
        auto& b = *r.Attach(r.m_pLayer12ConfigPara);
        b.vList.resize(rng.Range(0, 6));
        for (auto& e : b.vList)
            e.n3724 = rng.Range(0, 9), e.n3756 = rng.Range(0, 9), e.n3788 = rng.Range(0, 9);
        b.vShortList.resize(rng.Range(0, 4));
        for (auto& e : b.vShortList) e.n3816 = rng.Range(0, 9), e.n3827 = rng.Range(0, 9);
        b.vLongList.resize(rng.Range(0, 10));
        for (auto& e : b.vLongList)
            e.n3843 = rng.Range(0, 99), e.n4099 = rng.Range(0, 99), e.f4355 = rng.Realf(0, 1);
        for (auto& v : b.nValue) v = Coded16(rng, rng.Range(0, 255));
        b.str3689 = "AM";
        b.str3698 = rng.Percent(50) ? "UM" : "TM";
        b.str3723 = "RLC";
        b.n31562 = Coded8(rng, rng.Range(0, 7));
    }
    FillTDLists(rng, s, r);
}

void FillGSMBlocks(Rng& rng, Serving& s, CTestdataBase& r) {
    s.rxlev = std::clamp(s.rxlev + rng.Range(-3, 3), -110, -48);
    {
        auto& b = *r.Attach(r.m_pGSMSCellRadioInfo);
        b.n31706 = Coded16(rng, s.bcch), b.n31701 = Coded16(rng, rng.Range(0, 7));
        b.n31705 = Coded8(rng, rng.Range(0, 7));
        b.nRxLevFull = Coded8(rng, s.rxlev + 110);
        b.n31719 = Coded8(rng, rng.Range(0, 7)), b.n31712 = Coded16(rng, rng.Range(0, 63));
        b.n32265 = Coded8(rng, rng.Range(0, 3));
    }
    if (rng.Percent(15))
        r.Attach(r.m_pGSMSCellDSC)->n31717 = static_cast<uint8_t>(rng.Range(0, 45));
    if (rng.Percent(30)) {
        auto& b = *r.Attach(r.m_pGSMSCellReselSysInfo);
        b.nSelector = static_cast<uint8_t>(rng.Range(0, 7));
        b.n32078 = static_cast<int16_t>(rng.Percent(5) ? 32767 : rng.Range(-110, -90));
        b.n31707 = Coded16(rng, rng.Range(0, 31));
        b.n32074 = static_cast<int16_t>(rng.Range(0, 40));
        for (auto& c : b.nCriterion) c = static_cast<int16_t>(rng.Range(-20, 60));
    }
    if (rng.Percent(10)) r.Attach(r.m_pGSMMSMutiSlotClass)->n31736 = Coded16(rng, rng.Range(1, 12));
    if (rng.Percent(60)) {
        auto& b = *r.Attach(r.m_pGSMNCellInfo);
        b.nKind = static_cast<uint8_t>(rng.Percent(90) ? 0 : 1);
        b.vCells.resize(Pick(rng, kGSMNeighbourLengths));
        for (auto& c : b.vCells) {
            c.nBCCH = Coded16(rng, rng.Range(1, 124));
            c.nBSIC = Coded8(rng, rng.Range(0, 63));
            c.nCI = Coded16(rng, rng.Range(10000, 30000));
            c.nLAC = Coded16(rng, s.lac);
            c.nRxLev = static_cast<int16_t>(rng.Percent(3) ? 32767 : s.rxlev - rng.Range(0, 25));
            c.nC1 = static_cast<int16_t>(rng.Range(-10, 50));
            c.nSelector = static_cast<uint8_t>(rng.Range(0, 7));
            c.nC2 = static_cast<int16_t>(rng.Range(-10, 50));
            c.nC31 = static_cast<int16_t>(rng.Range(-10, 50));
            c.nC32 = static_cast<int16_t>(rng.Range(-10, 50));
            c.nRxLevAccessMin = static_cast<int8_t>(rng.Range(0, 20));
        }
        b.n31721 = static_cast<int8_t>(rng.Percent(5) ? 127 : rng.Range(-10, 10));
        b.n31722 = Coded8(rng, rng.Range(0, 20));
        b.n31720 = Coded8(rng, rng.Range(0, 20));
    }
    if (rng.Percent(10)) r.Attach(r.m_pGSMMSClass)->n32202 = Coded8(rng, rng.Range(1, 5));
    if (rng.Percent(20)) {
        auto& b = *r.Attach(r.m_pGSMDedCHInfo);
        b.nBand = static_cast<uint8_t>(Pick(rng, {0x01, 0x02, 0x04, 0x06, 0x08, 0x30, 254, 255}));
        b.n31724 = Coded8(rng, rng.Range(0, 7));
        const int kind = rng.Below(3);
        b.nChannelKind = static_cast<uint8_t>(kind == 0 ? 0 : kind == 1 ? 1 : 3);
        b.nChannel = Coded16(rng, s.bcch);
        b.vHoppingChannels.clear();
        if (b.nChannelKind == 3) {
            if (rng.Percent(50))
                b.vHoppingChannels = {1, 5, 9};
            else
                for (int i = rng.Range(0, 8); i > 0; --i)
                    b.vHoppingChannels.push_back(static_cast<uint16_t>(rng.Range(1, 124)));
        }
        b.n31730 = Coded8(rng, rng.Range(0, 63)), b.n31731 = Coded8(rng, rng.Range(0, 63));
    }
    if (rng.Percent(20))
        for (auto& v : r.Attach(r.m_pGSMDedMeasInfo)->nValue)
            v = static_cast<uint8_t>(rng.Range(0, 255));
    if (rng.Percent(15)) {
        auto& b = *r.Attach(r.m_pGSMSCellChRadioLinkCounter);
        b.nFirst = Coded16(rng, rng.Range(4, 64)), b.nSecond = Coded16(rng, rng.Range(4, 64));
    }
    if (rng.Percent(15))
        r.Attach(r.m_pGSMRATIndicate)->n31718 = static_cast<int8_t>(rng.Range(-1, 3));
    if (rng.Percent(20)) {
        auto& b = *r.Attach(r.m_pGSMRLCGPRSQosInfo);
        b.n32195 = static_cast<uint32_t>(rng.Range(0, 3000000));  // above 2048 kbit/s gives -255
        b.n32196 = static_cast<uint32_t>(rng.Range(0, 200000));
        b.n32199 = rng.Range(0, 10);
    }
    if (rng.Percent(20)) {
        auto& b = *r.Attach(r.m_pGSMLLCGPRSQosInfo);
        b.n32193 = rng.Percent(5) ? 0xFFFFFFFFu : static_cast<uint32_t>(rng.Range(0, 200000));
        b.n32194 = static_cast<uint32_t>(rng.Range(0, 200000));
        b.n32189 = Coded8(rng, rng.Range(0, 4));
    }
    if (rng.Percent(5)) {
        auto& b = *r.Attach(r.m_pGSMHONum);
        b.nAttempts = static_cast<uint16_t>(rng.Range(0, 20));
        b.nSuccesses = static_cast<uint16_t>(rng.Range(0, b.nAttempts));
    }
    if (rng.Percent(20)) {
        auto& b = *r.Attach(r.m_pGSMSCellSysInfo);
        b.nMCC = 460, b.nMNC = 0, b.nLAC = s.lac, b.nCI = s.ci, b.nBCCH = s.bcch, b.nBSIC = s.bsic;
    }
    if (rng.Percent(20)) {
        auto& b = *r.Attach(r.m_pGSMNCellMeasList);
        b.vEntries.resize(rng.Range(0, 8));
        for (auto& e : b.vEntries)
            e.nFirst = rng.Percent(10) ? -999 : rng.Range(0, 63),
            e.nSecond = rng.Percent(10) ? -999 : rng.Range(0, 7);
    }
    if (rng.Percent(5)) {
        auto& b = *r.Attach(r.m_pGSMSimpleInfo);
        b.strText = "SI3";
        for (auto& v : b.nValue) v = rng.Percent(10) ? -1 : rng.Percent(5) ? -2 : rng.Range(0, 63);
        b.str32219 = "460-00";
        b.str32220 = rng.Percent(50) ? "GPRS" : "EDGE";
    }
}

namespace {

// EARFCNs of both bands the converter knows, and one it does not.
uint16_t Earfcn(Rng& rng) {
    const int roll = rng.Below(10);
    if (roll < 6) return static_cast<uint16_t>(rng.Range(38650, 39649));
    if (roll < 9) return static_cast<uint16_t>(rng.Range(37750, 38249));
    return 100;
}

uint16_t Rsrp(Rng& rng) { return Coded16(rng, rng.Range(25, 75)); }  // -116 .. -66 dBm
uint16_t Rsrq(Rng& rng) { return Coded16(rng, rng.Range(6, 34)); }   // -17 .. -3 dB

}  // namespace

void FillLTEBlocks(Rng& rng, CTestdataBase& r, int subtype) {
    const uint32_t cellKey = rng.Percent(10) ? 0u : static_cast<uint32_t>(rng.Range(1, 5000));
    if (subtype == 14) {
        auto& b = *r.Attach(r.m_pLTEUEInfo);
        for (auto& v : b.nIdentity) v = static_cast<uint8_t>(rng.Below(256));
        b.n33355 = Coded8(rng, 1), b.n33356 = Coded8(rng, rng.Range(0, 3)),
        b.n33357 = Coded8(rng, 2);
        b.n33359 = Coded8(rng, rng.Range(0, 9)), b.n33360 = Coded8(rng, rng.Range(0, 9));
        b.n33362 = Coded16(rng, rng.Range(0, 503));
        b.n33366 = Coded8(rng, rng.Range(0, 15));
        b.nEARFCN = Earfcn(rng);
        for (auto& v : b.nServing) v = Coded16(rng, rng.Range(0, 100));
        b.nServing[14] = Rsrp(rng), b.nServing[15] = Rsrp(rng), b.nServing[16] = Rsrq(rng);
        b.nCellKey = cellKey;
        for (auto& v : b.n33650) v = Coded16(rng, rng.Range(0, 1000));
        for (auto& v : b.nFrequencies) v = Earfcn(rng);
        b.vNeighbours.resize(rng.Range(0, 17));
        for (auto& n : b.vNeighbours)
            n.nEARFCN = Earfcn(rng), n.nPCI = Coded16(rng, rng.Range(0, 503)), n.nRSRP = Rsrp(rng),
            n.nRSRQ = Rsrq(rng);
        for (auto& v : b.n33439) v = Coded16(rng, rng.Range(0, 30));
        for (auto& v : b.n33671) v = Coded16(rng, rng.Range(0, 1000));
        for (auto& v : b.n33675) v = Coded16(rng, rng.Range(0, 1000));
        b.n33423 = Coded16(rng, rng.Range(0, 28)), b.n33436 = Coded16(rng, rng.Range(0, 100));
        b.n33437 = Coded16(rng, rng.Range(0, 100));
        for (auto& v : b.n34570) v = Coded16(rng, rng.Range(0, 1000));
        for (auto& v : b.n34685) v = Coded16(rng, rng.Range(0, 1000));
    } else {
        auto& b = *r.Attach(r.m_pLTESecondInfo);
        b.nEARFCN = Earfcn(rng), b.n33362 = Coded16(rng, rng.Range(0, 503)),
        b.n33363 = Coded16(rng, rng.Range(0, 100));
        b.n33415[0] = Rsrp(rng), b.n33415[1] = Rsrq(rng), b.n33415[2] = Rsrp(rng);
        b.n33415[3] = Coded16(rng, rng.Range(0, 30)), b.n33415[4] = Coded16(rng, rng.Range(0, 30));
        b.nCellKey = cellKey;
        for (auto& v : b.n33693) v = Coded16(rng, rng.Range(0, 100));
        for (auto& v : b.n33365) v = Coded16(rng, rng.Range(0, 100));
        for (auto& v : b.n33438) v = Coded16(rng, rng.Range(0, 100));
        for (auto& v : b.nSingles) v = Coded16(rng, rng.Range(0, 100));
        for (auto& v : b.n33421) v = Coded16(rng, rng.Range(0, 100));
        for (auto& v : b.n33650) v = Coded16(rng, rng.Range(0, 1000));
        b.n33373 = Coded16(rng, rng.Range(0, 100));
        b.n33436 = Coded16(rng, rng.Range(0, 100)), b.n33437 = Coded16(rng, rng.Range(0, 100));
    }
    if (rng.Percent(30)) {
        auto& b = *r.Attach(r.m_pLTEInlineInfo);
        for (auto& v : b.n34160) v = Coded16(rng, rng.Range(0, 100));
        b.n34166 = Coded16(rng, rng.Range(0, 100));
        b.n34164 = static_cast<uint32_t>(rng.Range(0, 100000)),
        b.n34169 = static_cast<uint32_t>(rng.Range(0, 100000));
        for (auto& list : b.vList) {
            list.resize(rng.Range(0, 10));
            for (auto& v : list) v = Coded16(rng, rng.Range(0, 100));
        }
    }
}

void FillScanner(Rng& rng, CTestdataBase& r, int model, bool variant, bool summary) {
    auto& b = *r.Attach(r.m_pScannerInfo);
    b.nModel = static_cast<uint8_t>(model);
    b.bVariant = variant ? 1 : 0;
    b.vSpectrum.clear();
    b.bHasFrequency = 0;
    b.vPCCPCH.clear(), b.vDwPCH.clear(), b.vRSSI.clear(), b.vSummary.clear();
    const int frequencies = rng.Percent(3) ? 76 : rng.Range(1, 9);
    b.vRSSI.resize(frequencies);
    for (int k = 0; k < frequencies; ++k) {
        auto& f = b.vRSSI[k];
        f.nUARFCN = 10055 + 8 * k;
        f.fTS0 = rng.Percent(5) ? 0.0f : rng.Realf(-100, -70);
        f.fDwPTS = rng.Realf(-100, -70);
        for (auto& ts : f.fTS) ts = rng.Realf(-105, -70);
        f.fFrame = rng.Realf(-100, -70);
    }
    if (summary) {
        b.vSummary.resize(rng.Range(1, 8));
        int key = 0;
        for (auto& c : b.vSummary) {
            key += rng.Range(1, 40);
            c.nUARFCN = 10055 + 8 * (key / 128), c.nCellParameterID = key % 128;
            c.fRSCP = rng.Realf(-110, -60);
        }
        return;
    }
    if (rng.Percent(5)) {
        b.vSpectrum.resize(800);
        for (auto& p : b.vSpectrum) p = static_cast<int16_t>(rng.Range(-120, -60));
    }
    if (rng.Percent(30)) {
        b.bHasFrequency = 1;
        b.nFrequency = rng.Percent(50)
                           ? 2010000000u
                           : static_cast<uint32_t>(2010000000 + 1600000 * rng.Range(0, 8));
        b.fFrequencyFirst = rng.Realf(-100, -60);
        b.fFrequencySecond = rng.Realf(-100, -60);
    }
    b.vPCCPCH.resize(rng.Percent(30) ? 3 : rng.Range(0, 12));
    for (auto& c : b.vPCCPCH) {
        c.nCellParameterID = rng.Range(0, 127);
        c.fRSCP = rng.Realf(-110, -55), c.fCIR = rng.Realf(-10, 25), c.fISCP = rng.Realf(-110, -80);
        c.fEcIo = rng.Realf(-20, 0), c.fSIR = rng.Realf(-5, 20), c.fTiming = rng.Realf(0, 6400);
    }
    b.vDwPCH.resize(rng.Range(0, 8));
    for (auto& c : b.vDwPCH) {
        c.nUARFCN = 10055 + 8 * rng.Range(0, 8), c.nSyncDL = rng.Range(0, 31);
        c.fRSCP = rng.Realf(-110, -55), c.fCIR = rng.Realf(-10, 25), c.fISCP = rng.Realf(-110, -80);
        c.fEcIo = rng.Realf(-20, 0), c.fTiming = rng.Realf(0, 6400);
    }
}

void FillLTEScanner(Rng& rng, CTestdataBase& r) {
    auto& b = *r.Attach(r.m_pLTEScanList);
    for (int k = 0; k < 3; ++k) {
        b.vList[k].resize(k == 0 ? (rng.Percent(10) ? 32 : rng.Range(1, 12)) : rng.Range(0, 4));
        for (auto& c : b.vList[k]) {
            c.nEARFCN = Earfcn(rng), c.nPCI = Coded16(rng, rng.Range(0, 503));
            c.fRSRP = rng.Realf(-125, -60), c.fRSRQ = rng.Realf(-20, -3),
            c.fSINR = rng.Realf(-5, 30);
            c.fRSSI = rng.Realf(-95, -50), c.fTiming = rng.Realf(0, 10000);
        }
    }
}

void FillDoubleProtocol(Rng& rng, CTestdataBase& r, int kind) {
    auto& b = *r.Attach(r.m_pDoubleProtocol);
    b.nKind = static_cast<uint16_t>(kind);
    b.nValue = static_cast<uint32_t>(rng.Range(0, 100));
    b.nFirst = static_cast<uint32_t>(rng.Range(0, 1000)),
    b.nSecond = static_cast<uint32_t>(rng.Range(0, 1000));
    for (auto& f : b.fValue) f = rng.Realf(0, 100);
    b.nLast = static_cast<uint32_t>(rng.Range(0, 1000));
    b.strFirst = kind == 3 ? "460001234567890" : "";
    b.strSecond = kind == 3 ? (rng.Percent(50) ? "TD->GSM" : "GSM->TD") : "";
}

void FillRecordBlock(Rng& rng, CTestdataBase& r) {
    auto& b = *r.Attach(r.m_pRecordBlock);
    for (int k = 0; k < CIE_Record_Block::kCount; ++k)
        b.dValue[k] = CIE_Record_Block::IsFloatIE(CIE_Record_Block::kFirstIE + k)
                          ? (rng.Percent(5) ? -9999.0 : rng.Real() * 100)
                          : rng.Range(0, 1000);
}

void FillRRCMessage(Rng& rng, CTestdataBase& r, int which) {
    static const char* const kNames[] = {"RRC Connection Setup", "Radio Bearer Setup (DL-DCCH)",
                                         "Radio Bearer Reconfiguration (DL-DCCH)",
                                         "Measurement Report (UL-DCCH)", "RRC Connection Request"};
    static const char* const kCrc[] = {"crc0", "crc8", "crc12", "crc16", "crc24"};
    which %= 5;
    std::vector<L3Element> e;
    e.push_back({"rrc-TransactionIdentifier", 0, rng.Range(0, 3), ""});
    if (which <= 2) {
        if (which == 0) {
            e.push_back({"initialUE-Identity", 0, 0, ""});
            e.push_back({"imsi", 1, 0, "460001234567890"});
            e.push_back({"new-U-RNTI", 0, rng.Range(1, 65535), ""});
            e.push_back({"rrc-StateIndicator", 0, 0, "cell-DCH"});
        }
        // Uplink channels, then downlink ones of which some repeat an uplink one.
        const int channels = rng.Range(1, 4);
        std::vector<int> ids;
        e.push_back({"ul-AddReconfTransChInfoList", 0, 0, ""});
        for (int i = 0; i < channels; ++i) {
            ids.push_back(rng.Percent(3) ? 40 : rng.Range(1, 32));  // 40: outside 1..32
            e.push_back({"ul-TransportChannelType", 1, 0, "dch"});
            e.push_back({"transportChannelIdentity", 1, ids.back(), ""});
            e.push_back({"transportFormatSet", 1, 0, ""});
            e.push_back({"crc-Size", 2, 0, kCrc[rng.Below(5)]});
            e.push_back({"transmissionTimeInterval", 2, 0, "tti20"});
        }
        e.push_back({"dl-AddReconfTransChInfoList", 0, 0, ""});
        for (int id : ids) {
            e.push_back({"dl-TransportChannelType", 1, 0, "dch"});
            e.push_back({"dl-transportChannelIdentity", 1, id, ""});
            if (rng.Percent(50)) {
                e.push_back({"sameAsULTrCH", 1, id, ""});
            } else {
                e.push_back({"transportFormatSet", 1, 0, ""});
                e.push_back({"crc-Size", 2, 0, kCrc[rng.Below(5)]});
            }
        }
        e.push_back({"rb-InformationSetupList", 0, 0, ""});
        e.push_back({"rb-Identity", 1, rng.Range(1, 32), ""});
        e.push_back({"activationTime", 0, rng.Range(0, 255), ""});
    } else if (which == 3) {
        e.push_back({"measurementIdentity", 0, rng.Range(1, 16), ""});
        e.push_back({"measuredResults", 0, 0, ""});
        for (int i = rng.Range(1, 4); i > 0; --i) {
            e.push_back({"cellParametersID", 1, rng.Range(0, 127), ""});
            e.push_back({"uarfcn", 1, 10055 + 8 * rng.Range(0, 8), ""});
            e.push_back({"primaryCCPCH-RSCP", 1, rng.Range(10, 60), ""});
        }
    } else {
        e.push_back({"initialUE-Identity", 0, 0, ""});
        e.push_back({"imsi", 1, 0, "460001234567890"});
        e.push_back({"establishmentCause", 0, 0, "originatingConversationalCall"});
    }
    std::vector<unsigned char> bytes;
    EncodeL3Detail(e, bytes);
    r.m_MsgInfo.strMsgName = kNames[which];
    r.m_MsgInfo.nMsgType = 1010;
    r.m_MsgInfo.nStatus = 0;
    r.m_MsgInfo.nDirection = static_cast<int8_t>(which >= 3 ? 1 : 0);
    r.m_MsgInfo.nChannel = static_cast<int8_t>(which == 4 ? 2 : 3);
    r.m_Buffer.SetBuffer(bytes.data(), bytes.size());
}

void FillGSMMessage(Rng& rng, CTestdataBase& r) {
    static const int kTypes[] = {1010, 2020, 2021, 3005, 3006, 12155, 4000};
    static const char* const kNames[] = {"Measurement Report", "System Information Type 3",
                                         "Channel Release", "Location Updating Request",
                                         "Paging Response"};
    std::vector<L3Element> e = {{"measurementIdentity", 0, rng.Range(1, 16), ""}};
    std::vector<unsigned char> bytes;
    EncodeL3Detail(e, bytes);
    r.m_MsgInfo.strMsgName = kNames[rng.Below(5)];
    r.m_MsgInfo.nMsgType = static_cast<uint32_t>(kTypes[rng.Below(7)]);
    r.m_MsgInfo.nStatus = rng.Percent(10) ? 40000u : 0u;
    r.m_MsgInfo.nDirection = static_cast<int8_t>(rng.Below(2));
    r.m_MsgInfo.nChannel = static_cast<int8_t>(rng.Range(0, 5));
    r.m_Buffer.SetBuffer(bytes.data(), bytes.size());
}

void FillLTEMessage(Rng& rng, CTestdataBase& r) {
    static const char* const kNames[] = {"RRCConnectionReconfiguration", "MeasurementReport",
                                         "RRCConnectionRequest", "SystemInformationBlockType1"};
    std::vector<L3Element> e = {{"rrc-TransactionIdentifier", 0, rng.Range(0, 3), ""}};
    std::vector<unsigned char> bytes;
    EncodeL3Detail(e, bytes);
    r.m_MsgInfo.strMsgName = kNames[rng.Below(4)];
    r.m_MsgInfo.nMsgType = 7000;
    r.m_MsgInfo.nMsgValue = static_cast<uint32_t>(bytes.size());
    r.m_MsgInfo.nDirection = static_cast<int8_t>(rng.Below(2));
    r.m_MsgInfo.nChannel = static_cast<int8_t>(rng.Range(0, 5));
    r.m_Buffer.SetBuffer(bytes.data(), bytes.size());
}

}  // namespace logstore::gen
