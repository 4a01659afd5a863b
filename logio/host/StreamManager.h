// The host's stream manager: loaded logs, their data streams and the rows the
// streams own.
#pragma once

#include <list>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "logio/host/MemDataRow.h"
#include "platform/CString.h"

class IDataStream;

// Scanner statistics entry of one serving cell.
struct STRUCT_SCANNERSCELLSTAT {
    int nFreq = 0;
    int nCellParamID = 0;
    int nCount = 0;
    double dSumRscp = 0;
    double dMaxRscp = -255;
    double dMinRscp = -255;
};

// Statistics a stream carries beside its rows.
class CStatResult {
public:
    void SetScannerSCellStatResult(const std::list<STRUCT_SCANNERSCELLSTAT>& r) { m_scell = r; }
    void SetScannerSCellDwpchResult(const std::list<STRUCT_SCANNERSCELLSTAT>& r) { m_dwpch = r; }
    const std::list<STRUCT_SCANNERSCELLSTAT>& GetScannerSCellStatResult() const { return m_scell; }
    const std::list<STRUCT_SCANNERSCELLSTAT>& GetScannerSCellDwpchResult() const { return m_dwpch; }

private:
    std::list<STRUCT_SCANNERSCELLSTAT> m_scell;
    std::list<STRUCT_SCANNERSCELLSTAT> m_dwpch;
};

// A forward cursor over a stream's rows in row-number order.
class IRecordCursor {
public:
    virtual ~IRecordCursor() = default;
    // Goes to the first row; false when the stream has none.
    virtual bool First() = 0;
    // True when the cursor stands on the last row or the stream is empty.
    virtual bool IsEnd() const = 0;
    // Steps forward by n rows, stopping at the last one.
    virtual void Step(int n = 1) = 0;
    virtual CMemDataRow* Current() const = 0;
    // The current row's value of an IE as text; "" when the row lacks it.
    virtual CString GetValueText(int ie) const = 0;
    // Like GetValueText, but a gap is filled with the last value the IE had
    // in an earlier row ("" before its first value).
    virtual CString GetFilledValueText(int ie) const = 0;
};

class IDataStream {
public:
    virtual ~IDataStream() = default;
    virtual CString GetName() const = 0;
    virtual void SetName(const CString& name) = 0;
    virtual int GetType() const = 0;
    virtual CString GetProtocol() const = 0;
    virtual void SetProtocol(const CString& protocol) = 0;
    virtual CString GetFilterOperator() const = 0;
    virtual void SetFilterOperator(const CString& op) = 0;
    virtual CString GetDeviceName() const = 0;
    virtual void SetDeviceName(const CString& name) = 0;
    virtual int GetUENumber() const = 0;
    virtual void SetUENumber(int ue) = 0;
    virtual int GetDeviceClass() const = 0;
    virtual void SetDeviceClass(int cls) = 0;
    virtual void SetPositionKnown(int known) = 0;
    virtual int IsPositionMissing() const = 0;
    virtual int GetRowCount() const = 0;
    virtual void SetRowCount(int count) = 0;
    virtual double GetStartTime() const = 0;
    virtual void SetStartTime(double t) = 0;
    virtual double GetEndTime() const = 0;
    virtual void SetEndTime(double t) = 0;
    virtual void SetMaxLongitude(double v) = 0;
    virtual void SetMinLongitude(double v) = 0;
    virtual void SetMaxLatitude(double v) = 0;
    virtual void SetMinLatitude(double v) = 0;
    virtual double GetMaxLongitude() const = 0;
    virtual double GetMinLongitude() const = 0;
    virtual double GetMaxLatitude() const = 0;
    virtual double GetMinLatitude() const = 0;
    virtual void AddIEName(const CString& name) = 0;
    virtual void AddEventName(const CString& name) = 0;
    virtual std::list<CString> GetEventNames() const = 0;
    virtual void AddExtraName(const CString& name) = 0;
    virtual std::list<CString> GetExtraNames() const = 0;
    // The stream's IE names in ascending order.
    virtual std::list<CString> GetIENames() const = 0;
    virtual CStatResult& GetStatResult() = 0;
    // Row number to row; the stream owns the rows.
    virtual std::map<int, CMemDataRow*>& GetRows() = 0;
    virtual std::map<int, CMemDataRow*>& GetEventRows() = 0;
    virtual std::unique_ptr<IRecordCursor> OpenCursor() = 0;
    // Settles what the rows imply and the caller left unset: row count,
    // time span and extent.
    virtual void CompleteRows() = 0;
    // Settles the description: the IE names of every row are known afterwards.
    virtual void CompleteStream() = 0;
    virtual bool IsComplete() const = 0;
};

class ILogfile {
public:
    virtual ~ILogfile() = default;
    virtual CString GetName() const = 0;
    virtual CString GetPath() const = 0;
    virtual int GetVersion() const = 0;
    virtual void SetVersion(int version) = 0;
    virtual int GetSourceKind() const = 0;
    virtual void SetSourceKind(int kind) = 0;
    virtual int IsOutdoor() const = 0;
    virtual void SetOutdoor(int outdoor) = 0;
    virtual int GetFacType() const = 0;
    virtual void SetFacType(int type) = 0;
    // The log takes the stream over; a stream of the same name is replaced.
    virtual void AddStream(IDataStream* stream) = 0;
    virtual std::map<CString, IDataStream*>& GetStreams() = 0;
    virtual int GetRowCount() const = 0;
    virtual void SetRowCount(int count) = 0;
    virtual void SetMaxLongitude(double v) = 0;
    virtual void SetMinLongitude(double v) = 0;
    virtual void SetMaxLatitude(double v) = 0;
    virtual void SetMinLatitude(double v) = 0;
    virtual double GetMaxLongitude() const = 0;
    virtual double GetMinLongitude() const = 0;
    virtual double GetMaxLatitude() const = 0;
    virtual double GetMinLatitude() const = 0;
};

class IStreamManager {
public:
    virtual ~IStreamManager() = default;
    // A new log registered under its path (replacing a log of that path).
    virtual ILogfile* CreateLogfile(const CString& path) = 0;
    virtual ILogfile* FindLogfile(const CString& path) = 0;
    virtual bool RemoveLogfile(const CString& path) = 0;
    virtual std::map<CString, ILogfile*> GetLogfileNames() = 0;
    // A new stream, owned by the caller until a log takes it (AddStream).
    virtual IDataStream* CreateStream(const CString& name, int type) = 0;
    // Drops every log.
    virtual void Clear() = 0;
};

class CStreamManagerCreator {
public:
    // The process-wide stream manager; never released by its callers.
    static IStreamManager* CreateStreamManager();
};

// A double-protocol stream whose rows are both streams' rows in time order
// (a TD-SCDMA row before a GSM row of the same time), each row copied; null
// when either stream is missing. The caller owns the result until a log
// takes it.
IDataStream* MergeTwoProtocolStream_MsgEvent(IDataStream* tdStream, IDataStream* gsmStream);
