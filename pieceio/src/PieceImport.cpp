#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ClassicNumbers.h"
#include "PieceFile.h"
#include "grade/grade.h"

namespace pieceio {

namespace {

// Drops the newline that ends a line read, and a carriage return before it;
// a last line without a newline keeps all its characters.
void DropLineEnd(char* line) {
    size_t n = std::strlen(line);
    if (n == 0 || line[n - 1] != '\n') return;
    line[--n] = '\0';
    if (n > 0 && line[n - 1] == '\r') line[--n] = '\0';
}

// The text of a record starts one character after its tag (the separating
// space), but never beyond the end of the line.
const char* RecordText(const char* tag, size_t tagLength) {
    const char* text = tag + tagLength;
    return *text ? text + 1 : text;
}

// Each reader leaves its value as it was when the text does not hold one,
// and otherwise moves text past what it read.
bool ReadFloat(const char*& text, float& value) {
    char* end = nullptr;
    const float v = std::strtof(text, &end);
    if (end == text) return false;
    value = v;
    text = end;
    return true;
}

bool ReadHex(const char*& text, unsigned& value) {
    char* end = nullptr;
    const unsigned long v = std::strtoul(text, &end, 16);
    if (end == text) return false;
    value = static_cast<unsigned>(v);
    text = end;
    return true;
}

// The ", " between the values of a record: a comma, then any white space.
bool ReadSeparator(const char*& text) {
    if (*text != ',') return false;
    ++text;
    while (*text == ' ' || *text == '\t' || *text == '\r' || *text == '\v' || *text == '\f') ++text;
    return true;
}

class CPieceReader {
public:
    explicit CPieceReader(P_PIECE* piece) : m_first(piece) {}

    void Record(const char* line) {
        if (std::strstr(line, kBoundsTag)) {
            Bounds();
        } else if (const char* tag = std::strstr(line, kLineTag)) {
            Line(RecordText(tag, sizeof kLineTag - 1));
        } else if (const char* tag = std::strstr(line, kPointTag)) {
            Point(RecordText(tag, sizeof kPointTag - 1));
        }
    }

private:
    void Bounds() {
        if (!m_started) {
            m_started = true;
            m_current = m_first;
        } else if (m_current) {
            P_PIECE* piece = m_current->NewPiece();
            if (piece) {
                // Insert rather than overwrite, so that no piece that followed is lost.
                if (P_PIECE* rest = m_current->SetNext(piece)) piece->SetNext(rest);
            }
            m_current = piece;
        }
        m_line = nullptr;
        m_internal = nullptr;
    }

    void Line(const char* text) {
        if (!m_current) return;
        ReadHex(text, m_lineFlags);
        P_LINE* line = nullptr;
        if (m_lineFlags & kLinePerimeter) {
            line = m_line = m_current->AddLine(P_MOD_NONE, -1, nullptr);
            m_internal = nullptr;
        } else {
            m_internal = m_current->AddInternal(P_MOD_NONE, -1, "");
            line = m_internal;
            m_line = nullptr;
            if (m_lineFlags & kLineTypeG) m_internal->SetType(kInternalTypeG);
            if (m_lineFlags & kLineTypeD) m_internal->SetType(kInternalTypeD);
        }
        if (line && (m_lineFlags & kLineMarked)) {
            const auto keep =
                static_cast<std::uint8_t>(line->GetStatus() & ~P_LINE::kStatusCodeMask);
            line->SetStatus(static_cast<std::uint8_t>(keep | kMarkedStatusCode));
            m_current->SetMarkedLine(1);
        }
    }

    void Point(const char* text) {
        if (!m_current) return;
        if (ReadFloat(text, m_x) && ReadSeparator(text) && ReadFloat(text, m_y) &&
            ReadSeparator(text))
            ReadHex(text, m_pointFlags);
        P_LINE* line = m_line ? m_line : m_internal;
        if (!line) return;
        auto* point = new P_POINT(line, CPiecePoint{});  // owned by the line
        if (m_pointFlags & kPointOption) point->CheckAddPointOption(kExchangedPointOption);
        point->SetAttribute(static_cast<std::uint8_t>(m_pointFlags & kPointAttributeMask));
        point->SetX(m_x, eApexFree);
        point->SetY(m_y, eApexFree);
    }

    P_PIECE* const m_first;
    bool m_started = false;
    P_PIECE* m_current = nullptr;
    P_LINE* m_line = nullptr;
    P_INTERNAL* m_internal = nullptr;
    // Last values read; a record whose numbers cannot be read keeps them.
    unsigned m_lineFlags = kDefaultLineFlags;
    unsigned m_pointFlags = kDefaultPointFlags;
    float m_x = kDefaultCoordinate;
    float m_y = kDefaultCoordinate;
};

}  // namespace

P_PIECE* ImportPieceFile(P_PIECE* piece, const char* path) {
    if (!piece || !path) return nullptr;
    std::FILE* file = std::fopen(path, "r");
    if (!file) return nullptr;
    struct stat st {};
    if (::fstat(::fileno(file), &st) != 0 || S_ISDIR(st.st_mode)) {
        std::fclose(file);
        return nullptr;
    }
    CClassicNumbers numbers;
    CPieceReader reader(piece);
    char line[kLineBufferSize];
    while (std::fgets(line, sizeof line, file)) {
        DropLineEnd(line);
        reader.Record(line);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return failed ? nullptr : piece;
}

}  // namespace pieceio
