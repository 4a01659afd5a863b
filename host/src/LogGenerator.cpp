// The log generator: who records what, where and when.
#include "host/logstore/LogGenerator.h"
#include "logio/host/HostDefs.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "host/logstore/GeneratorParts.h"
#include "host/logstore/LogWriter.h"

namespace logstore {

using gen::Rng;
using gen::Serving;

namespace {

enum Kind {
    K_MARK,
    K_LOG_EVENT,  // an event of the whole log (UE 0)
    K_HANDSET,    // a TD-SCDMA or GSM handset's test record
    K_SWITCH,     // the first handset hands over to the other network
    K_MESSAGE,    // a handset's test record with a layer-3 message
    K_UE_EVENT,
    K_LTE,
    K_SCANNER,
    K_SCAN_SUMMARY,
    K_LTE_SCANNER,
    K_DOUBLE,
    K_BLOCK,
    K_SAGEM,  // GSM handset records of type 10
    K_TYPE16,
};

struct Handset {
    int ue = 1;
    int type = 7;          // the device field of its test records
    int mode = 2;          // 2 TD-SCDMA, 3 GSM
    bool announce = true;  // the next record carries the network mode
    int32_t seq = 0;
    Serving serving;
};

// Handset types the handsets cycle through: every named type and one that
// has no name.
constexpr int kHandsetTypes[] = {7, 2, 6, 9, 8, 10, 5, 3};
// Scanner models, the first twice (both versions).
constexpr int kScannerModels[] = {0, 0, 1, 2, 3, 4, 5, 6};

constexpr int kLogEvents[] = {1603, 1604, 1701, 1702, 1711, 1712, 1721, 1722, 1731, 1732};
constexpr int kTDEvents[] = {1001, 1002, 1003, 1004, 1005, 1011,
                             1012, 1021, 1031, 1032, 1033, 1051};
constexpr int kGSMEvents[] = {2001, 2002, 2003, 2004, 2011, 2012, 2021, 2031, 2052, 2053};

}  // namespace

struct CLogGenerator::State {
    explicit State(const LogGenOptions& o) : opt(o), rng(o.seed) {}

    LogGenOptions opt;
    LogHeader header;
    Rng rng;
    uint64_t made = 0;
    uint32_t ms = 0;
    double lon = 0, lat = 0, heading = 0;
    int gpsLost = 0;  // records left without a fix
    std::vector<Handset> handsets;
    int lteUE[2] = {0, 0};
    int scannerUE = 0, lteScannerUE = 0, sagemUE = 0;
    int scannerTurn = 0, doubleKind = 0, blockTurn = 0, rrcTurn = 0, marks = 0;
    std::vector<Kind> opening;  // every kind once, at the start
    Serving sagem;

    void Start();
    Kind Choose();
    void Move();
    void Make(Kind kind, CTestdataBase& r);
    void Common(CTestdataBase& r, int type, int ue);
    Handset& AnyHandset() { return handsets[rng.Below(static_cast<int>(handsets.size()))]; }
};

void CLogGenerator::State::Start() {
    header = opt.header;
    ms = opt.startMs % 86400000u;
    // A start near a city, moved by the seed.
    lon = 116.20 + (rng.Below(2000) / 10000.0);
    lat = 39.85 + (rng.Below(2000) / 10000.0);
    heading = rng.Real() * 360;
    int ue = 1;
    const int count = std::clamp(opt.handsets, 0, 4);
    for (int i = 0; i < count; ++i) {
        Handset h;
        h.ue = ue++;
        h.type = kHandsetTypes[(opt.seed + static_cast<uint64_t>(i)) % 8];
        if (i == 0 && opt.unknownHandset) h.type = 0;
        h.serving.cellParameterID = rng.Range(0, 127);
        h.serving.uarfcn = 10055 + 8 * rng.Range(0, 8);
        h.serving.cellKey = rng.Range(1, 5000);
        h.serving.bcch = rng.Range(1, 124);
        handsets.push_back(h);
    }
    header.handsetType = handsets.empty() ? 0 : handsets[0].type;
    if (opt.lte) lteUE[0] = std::min(ue++, 8), lteUE[1] = std::min(ue++, 8);
    if (opt.scanners) scannerUE = std::min(ue++, 8), lteScannerUE = std::min(ue++, 8);
    sagemUE = std::min(ue, 8);

    opening = {K_MARK, K_LOG_EVENT};
    if (!handsets.empty()) {
        for (size_t i = 0; i < handsets.size(); ++i) opening.push_back(K_HANDSET);
        opening.insert(opening.end(),
                       {K_MESSAGE, K_MESSAGE, K_MESSAGE, K_SWITCH, K_HANDSET, K_SWITCH, K_UE_EVENT,
                        K_DOUBLE, K_DOUBLE, K_DOUBLE, K_DOUBLE, K_BLOCK, K_BLOCK, K_TYPE16});
    }
    if (opt.lte) opening.insert(opening.end(), {K_LTE, K_LTE});
    if (opt.scanners) {
        for (size_t i = 0; i < std::size(kScannerModels); ++i) opening.push_back(K_SCANNER);
        opening.insert(opening.end(), {K_SCAN_SUMMARY, K_LTE_SCANNER});
    }
    opening.push_back(K_SAGEM);
}

Kind CLogGenerator::State::Choose() {
    if (made < opening.size()) return opening[made];
    for (;;) {
        const int roll = rng.Below(1000);
        Kind k;
        if (roll < 480)
            k = K_HANDSET;
        else if (roll < 540)
            k = K_MESSAGE;
        else if (roll < 660)
            k = K_LTE;
        else if (roll < 750)
            k = K_SCANNER;
        else if (roll < 770)
            k = K_SCAN_SUMMARY;
        else if (roll < 800)
            k = K_LTE_SCANNER;
        else if (roll < 860)
            k = K_UE_EVENT;
        else if (roll < 880)
            k = K_LOG_EVENT;
        else if (roll < 920)
            k = K_DOUBLE;
        else if (roll < 940)
            k = K_BLOCK;
        else if (roll < 970)
            k = K_SAGEM;
        else if (roll < 995)
            k = K_TYPE16;
        else
            k = K_MARK;
        const bool handsetKind = k == K_HANDSET || k == K_MESSAGE || k == K_UE_EVENT ||
                                 k == K_DOUBLE || k == K_BLOCK || k == K_TYPE16;
        if (handsetKind && handsets.empty()) continue;
        if (k == K_LTE && !opt.lte) continue;
        if ((k == K_SCANNER || k == K_SCAN_SUMMARY || k == K_LTE_SCANNER) && !opt.scanners)
            continue;
        return k;
    }
}

void CLogGenerator::State::Move() {
    ms = (ms + static_cast<uint32_t>(rng.Range(0, static_cast<int>(2 * opt.stepMs)))) % 86400000u;
    // About 12 m/s outdoors, a walk indoors, turning now and then.
    const double metres = (header.testType == 2 ? 1.2 : 12.0) * opt.stepMs / 1000.0;
    heading += rng.Range(-8, 8);
    if (rng.Percent(1)) heading += rng.Range(60, 120);
    const double rad = heading * 3.14159265358979 / 180;
    lat += metres * std::cos(rad) / 111320.0;
    lon += metres * std::sin(rad) / (111320.0 * std::cos(lat * 3.14159265358979 / 180));
    if (gpsLost > 0)
        --gpsLost;
    else if (rng.Below(1000) < 3)
        gpsLost = rng.Range(3, 20);
}

void CLogGenerator::State::Common(CTestdataBase& r, int type, int ue) {
    r.m_nRecordType = type;
    r.m_nUENo = static_cast<int8_t>(ue);
    r.m_RecordTime = sys_time::FromMilliseconds(ms);
    r.m_nMessageID = static_cast<int32_t>(made + 1);
    if (gpsLost > 0) {
        // No fix: version 110 logs mark it by -1, later ones by the no-value code.
        r.m_dLongitude = r.m_dLatitude = header.version == 110 ? -1.0 : kNoValueD;
    } else {
        r.m_dLongitude = lon;
        r.m_dLatitude = lat;
    }
    r.m_nTimeStamp = static_cast<int32_t>(made * opt.stepMs);
    r.m_nChannel = static_cast<int16_t>(ue > 0 ? ue + 2 : 0);
    r.m_nStatus = static_cast<int16_t>(rng.Percent(2) ? 1 : 0);
}

void CLogGenerator::State::Make(Kind kind, CTestdataBase& r) {
    switch (kind) {
        case K_MARK:
            Common(r, RECORD_FILE_MARK, 0);
            {
                const CString text = CString::Formatted("标记 %d", ++marks);
                r.m_Buffer.SetBuffer(text.GetString(), static_cast<size_t>(text.GetLength()));
            }
            break;
        case K_LOG_EVENT:
            Common(r, RECORD_EVENT, 0);
            r.m_nEventID = made == 1 ? 1601u : static_cast<uint32_t>(kLogEvents[rng.Below(10)]);
            r.m_nSequenceNumber = -1;
            break;
        case K_HANDSET:
        case K_SWITCH:
        case K_MESSAGE:
        case K_TYPE16: {
            Handset& h = kind == K_SWITCH ? handsets[0]
                         : made < opening.size() && kind == K_HANDSET
                             ? handsets[(made - 2) % handsets.size()]
                             : AnyHandset();
            if (kind == K_SWITCH ||
                (kind == K_HANDSET && made >= opening.size() && rng.Below(1000) < 8)) {
                h.mode = h.mode == 2 ? 3 : 2;  // hands over to the other network
                h.announce = true;
            }
            Common(r, kind == K_TYPE16 ? RECORD_TYPE_16 : RECORD_TEST, h.ue);
            if (kind == K_TYPE16) {
                h.mode = 2;  // type 16 records bring a handset back to TD-SCDMA
                h.announce = false;
            }
            r.m_nDeviceType = h.type;
            r.m_nSequenceNumber = ++h.seq;
            r.m_strRecordText = h.mode == 2 ? "FTP DL" : "Voice";
            if (h.announce) {
                r.m_nNetworkMode = h.mode;
                r.m_bSegment = 1;
                h.announce = false;
            } else {
                r.m_nNetworkMode = rng.Percent(10) ? h.mode : rng.Below(2);
            }
            if (h.mode == 3) {
                gen::FillGSMBlocks(rng, h.serving, r);
                if (kind == K_MESSAGE) gen::FillGSMMessage(rng, r);
            } else {
                gen::FillTDBlocks(rng, h.serving, r, made < opening.size());
                if (kind == K_MESSAGE) gen::FillRRCMessage(rng, r, rrcTurn++);
            }
            break;
        }
        case K_UE_EVENT: {
            const Handset& h = AnyHandset();
            Common(r, RECORD_EVENT, h.ue);
            r.m_nDeviceType = h.type;
            r.m_nNetworkMode = h.mode;
            r.m_nEventID = static_cast<uint32_t>(h.mode == 3 ? kGSMEvents[rng.Below(10)]
                                                             : kTDEvents[rng.Below(12)]);
            break;
        }
        case K_LTE: {
            const int which = made < opening.size() ? static_cast<int>(made % 2) : rng.Below(2);
            const int subtype = 14 + which;
            Common(r, RECORD_TEST, lteUE[which]);
            r.m_nDeviceType = subtype;
            r.m_nSubType = static_cast<int16_t>(subtype);
            r.m_strRecordText = "HTTP";
            gen::FillLTEBlocks(rng, r, subtype);
            if (rng.Percent(5)) gen::FillLTEMessage(rng, r);
            if (rng.Percent(2)) r.m_nEventID = static_cast<uint32_t>(rng.Range(3001, 3003));
            break;
        }
        case K_SCANNER:
        case K_SCAN_SUMMARY: {
            const int turn = scannerTurn++ % static_cast<int>(std::size(kScannerModels));
            Common(r, kind == K_SCANNER ? RECORD_SCANNER : RECORD_SCANNER_SUMMARY, scannerUE);
            gen::FillScanner(rng, r, kScannerModels[turn], turn == 0, kind == K_SCAN_SUMMARY);
            break;
        }
        case K_LTE_SCANNER:
            Common(r, RECORD_TEST, lteScannerUE);
            r.m_nDeviceType = 16;
            r.m_nSubType = 16;
            gen::FillLTEScanner(rng, r);
            break;
        case K_DOUBLE: {
            const Handset& h = AnyHandset();
            Common(r, RECORD_DOUBLE_PROTOCOL, h.ue);
            gen::FillDoubleProtocol(rng, r, doubleKind++ % 5);  // kind 4 carries nothing more
            break;
        }
        case K_BLOCK: {
            const Handset& h = AnyHandset();
            Common(r, blockTurn++ % 2 ? RECORD_BLOCK_B : RECORD_BLOCK_A, h.ue);
            gen::FillRecordBlock(rng, r);
            break;
        }
        case K_SAGEM:
            Common(r, RECORD_GSM_HANDSET, sagemUE);
            r.m_nNetworkMode = 3;
            gen::FillGSMBlocks(rng, sagem, r);
            break;
    }
}

CLogGenerator::CLogGenerator(const LogGenOptions& options)
    : m_state(std::make_unique<State>(options)) {
    m_state->Start();
}

CLogGenerator::~CLogGenerator() = default;

const LogHeader& CLogGenerator::Header() const { return m_state->header; }

bool CLogGenerator::Next(CTestdataBase& r) {
    State& s = *m_state;
    if (s.made >= s.opt.records) return false;
    r.Clear();
    s.Move();
    s.Make(s.Choose(), r);
    ++s.made;
    return true;
}

bool GenerateLog(const CString& path, const LogGenOptions& options, CString* error) {
    CLogGenerator generator(options);
    CLogWriter writer;
    if (!writer.Create(path, generator.Header())) {
        if (error) *error = CString::Formatted("cannot write %s", path);
        return false;
    }
    CTestdataBase record;
    while (generator.Next(record)) {
        if (!writer.Write(record)) {
            if (error) *error = CString::Formatted("writing %s failed", path);
            writer.Close();
            return false;
        }
    }
    if (!writer.Close()) {
        if (error) *error = CString::Formatted("writing %s failed", path);
        return false;
    }
    return true;
}

}  // namespace logstore
