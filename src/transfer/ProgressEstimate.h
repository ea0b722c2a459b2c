#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tillora {

// How far a send has come and how long the rest will take, judged by the records done so far:
// each record still to go is taken to cost what the records so far cost on average. Times are
// milliseconds of any steady clock.
class CProgressEstimate {
public:
    // The moment the first record went out; the time until then (check, opening the port,
    // opening the transfer) is not a record's.
    void Start(std::uint64_t nowMs);
    // After a record was acknowledged: done of total records.
    void Update(unsigned done, unsigned total, std::uint64_t nowMs);

    unsigned Done() const { return m_done; }
    unsigned Total() const { return m_total; }
    // The share done, 0 to 100, rounded down.
    unsigned Percent() const;
    // Seconds still to go, rounded down; none before the first record is done and after the
    // last, when there is nothing to judge by or nothing left.
    std::optional<std::uint64_t> SecondsLeft() const;

private:
    std::uint64_t m_startMs = 0;
    std::uint64_t m_nowMs = 0;
    unsigned m_done = 0;
    unsigned m_total = 0;
};

// Seconds as minutes and seconds, "1:23"; "75:00" past the hour.
std::string MinutesAndSeconds(std::uint64_t seconds);

} // namespace tillora
