// Lines of a piece: perimeter lines and internal lines. Each kind forms a ring
// in its piece: from the piece's first line, the successors lead back to it.
#pragma once

#include <cstdint>
#include <string>

#include "grade/PieceTypes.h"

class P_PIECE;
class P_POINT;

class P_LINE {
public:
    virtual ~P_LINE();
    P_LINE(const P_LINE&) = delete;
    P_LINE& operator=(const P_LINE&) = delete;

    P_PIECE* GetPiece() const { return m_piece; }
    // Ring links: never null while the line belongs to a piece.
    P_LINE* GetNext() const { return m_next; }
    P_LINE* GetPrev() const { return m_prev; }

    // Points in order: the first, then each one's successor until null.
    P_POINT* GetFirstPoint() const { return m_firstPoint; }
    P_POINT* GetLastPoint() const { return m_lastPoint; }
    int GetPointCount() const;

    // The status byte; its low four bits are the status code.
    std::uint8_t GetStatus() const { return m_status; }
    void SetStatus(std::uint8_t status) { m_status = status; }
    int GetStatusCode() const { return m_status & kStatusCodeMask; }

    static constexpr std::uint8_t kStatusCodeMask = 0x0f;

protected:
    explicit P_LINE(P_PIECE* piece) : m_piece(piece) {}

private:
    friend class P_PIECE;
    friend class P_POINT;

    void AppendPoint(P_POINT* point);
    void UnlinkPoint(P_POINT* point);

    P_PIECE* m_piece;
    P_LINE* m_next = this;
    P_LINE* m_prev = this;
    P_POINT* m_firstPoint = nullptr;
    P_POINT* m_lastPoint = nullptr;
    std::uint8_t m_status = 0;
};

class P_INTERNAL : public P_LINE {
public:
    const std::string& GetName() const { return m_name; }

    void SetType(std::int16_t type) { m_type = type; }
    virtual std::int16_t GetType() const { return m_type; }

    // The next internal line of the ring.
    P_INTERNAL* GetNextInternal() const { return static_cast<P_INTERNAL*>(GetNext()); }

protected:
    P_INTERNAL(P_PIECE* piece, const char* name) : P_LINE(piece), m_name(name ? name : "") {}

private:
    friend class P_PIECE;

    std::string m_name;
    std::int16_t m_type = 0;
};
