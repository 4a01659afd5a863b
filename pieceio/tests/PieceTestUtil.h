// Helpers of the pieceio tests: unique temporary files and a readable dump of
// a piece chain to compare against.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "grade/grade.h"

namespace pieceio_test {

// A path of its own for each call, so that tests may run in parallel.
inline std::string TempPath(const char* tag) {
    static int counter = 0;
    return "/tmp/pieceio_test_" + std::to_string(::getpid()) + "_" + std::to_string(++counter) +
           "_" + tag + ".txt";
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline bool FileExists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

// Removes the file when the test ends.
class TempFile {
public:
    explicit TempFile(const char* tag) : m_path(TempPath(tag)) {}
    ~TempFile() { std::remove(m_path.c_str()); }
    const std::string& path() const { return m_path; }
    const char* c_str() const { return m_path.c_str(); }

private:
    std::string m_path;
};

inline void DescribePoints(std::ostringstream& out, const P_LINE& line) {
    for (const P_POINT* p = line.GetFirstPoint(); p; p = p->GetNext()) {
        char text[128];
        std::snprintf(text, sizeof text, "  (%.4f, %.4f) a%d%s\n", p->GetX(), p->GetY(),
                      p->GetAttribute(),
                      p->HasPointOption(static_cast<P_POINT_OPTION_TYPE>(9)) ? " o9" : "");
        out << text;
    }
}

// One line per piece, line and point, e.g.
//   piece marked
//   line status 2
//     (1.0000, 2.0000) a5 o9
//   internal type 71 status 0
inline std::string Describe(const P_PIECE* first) {
    std::ostringstream out;
    for (const P_PIECE* piece = first; piece; piece = piece->GetNext()) {
        out << "piece" << (piece->GetMarkedLine() ? " marked" : "") << "\n";
        if (const P_LINE* l = piece->GetFirstLine()) {
            do {
                out << "line status " << int(l->GetStatus()) << "\n";
                DescribePoints(out, *l);
                l = l->GetNext();
            } while (l != piece->GetFirstLine());
        }
        if (const P_INTERNAL* l = piece->GetFirstInternal()) {
            do {
                out << "internal type " << l->GetType() << " status " << int(l->GetStatus())
                    << "\n";
                DescribePoints(out, *l);
                l = l->GetNextInternal();
            } while (l != piece->GetFirstInternal());
        }
    }
    return out.str();
}

inline P_POINT* AddPoint(P_LINE* line, double x, double y, int attribute = 0, bool option = false) {
    auto* p = new P_POINT(line, CPiecePoint{});
    p->SetX(x, eApexFree);
    p->SetY(y, eApexFree);
    p->SetAttribute(static_cast<std::uint8_t>(attribute));
    if (option) p->CheckAddPointOption(static_cast<P_POINT_OPTION_TYPE>(9));
    return p;
}

}  // namespace pieceio_test
