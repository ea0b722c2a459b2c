#include "transfer/ReportReader.h"

#include "link/Link.h"
#include "link/Message.h"
#include "res/StringIds.h"
#include "tables/TableSetup.h"
#include "transfer/ReportLine.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

namespace tillora {
namespace {

// Model 1 numbers its articles with three digits. After its first line numbered 999 the numbers
// start again from 000 for the rows 1000 to 1999.
class CArticleNumbering {
public:
    explicit CArticleNumbering(int model) : m_model(model) {}

    // The row of an article line, or -1 when its number cannot be read.
    long RowOf(std::string_view line) {
        const ArticleLineLayout& layout = ArticleLayoutOf(m_model);
        long row = ParseSliceNumber(line, ReportNumberOffset, layout.numberWidth);
        if (row == -1 || m_model != 1) {
            return row;
        }
        if (m_continued) {
            row += ContinuationRows;
        }
        if (row == LastThreeDigitNumber) {
            m_continued = true;
        }
        return row;
    }

private:
    static constexpr long ContinuationRows = 1000;
    static constexpr long LastThreeDigitNumber = 999;

    int m_model;
    bool m_continued = false;
};

constexpr long LastSubgroupDigit = 9;

// One run of the report over an acknowledged "f": the lines as they come, the article count and
// whether the last line was read.
class CReportRun {
public:
    CReportRun(CLink& link, IFeedback& feedback, int model, const CStopRequest* stop)
        : m_link(link), m_feedback(feedback), m_model(model), m_numbering(model), m_stop(stop) {}

    // True when the report ended with subgroup 9.
    bool Read(IGridAccess& report, IGridAccess& subgroupReport) {
        const bool complete = NextLine() && ReadArticles(report) && ReadSubgroups(subgroupReport);
        m_feedback.SetStatusText(FormatMessage(ids::ArticlesRead, m_count));
        return complete;
    }

private:
    // False when a read failed or a stop was requested (its message has been shown).
    bool NextLine() {
        if (IsStopRequested(m_stop)) {
            m_feedback.ShowMessage(ids::ReportStopped, FormatMessage(ids::ReportStopped, m_lines),
                                   MessageIcon::Information);
            return false;
        }
        m_length = m_link.ReceiveLine(m_buffer.data(), m_buffer.size());
        m_lines += m_length != 0 ? 1 : 0;
        return m_length != 0;
    }

    std::string_view Line() const {
        return {reinterpret_cast<const char*>(m_buffer.data()), m_length};
    }

    // Leaves the first line shorter than an article line in the buffer.
    bool ReadArticles(IGridAccess& report) {
        while (m_length >= ArticleLineMinLength) {
            TakeArticleLine(report);
            if (!NextLine()) {
                return false;
            }
        }
        return true;
    }

    // A line whose number cannot be read is skipped, and not counted.
    void TakeArticleLine(IGridAccess& report) {
        const long row = m_numbering.RowOf(Line());
        if (row == -1) {
            return;
        }
        m_feedback.SetStatusText(FormatMessage(ids::ReadingArticle, static_cast<unsigned>(row)));
        ++m_count;
        ParseArticleReportLine(report, Line(), static_cast<int>(row), m_model);
        m_link.PumpPaintMessages();
    }

    bool ReadSubgroups(IGridAccess& subgroupReport) {
        for (;;) {
            const long digit = ParseSliceNumber(Line(), ReportNumberOffset, 1);
            if (digit != -1) {
                m_feedback.SetStatusText(
                    FormatMessage(ids::ReadingSubgroup, static_cast<unsigned>(digit)));
                ParseSubgroupReportLine(subgroupReport, Line(), static_cast<int>(digit) + 1,
                                        m_model);
                m_link.PumpPaintMessages();
            }
            if (digit == LastSubgroupDigit) {
                return true;
            }
            if (!NextLine()) {
                return false;
            }
        }
    }

    CLink& m_link;
    IFeedback& m_feedback;
    int m_model;
    CArticleNumbering m_numbering;
    const CStopRequest* m_stop;
    unsigned m_lines = 0;
    std::array<std::uint8_t, ReportLineCapacity> m_buffer{};
    std::size_t m_length = 0;
    unsigned m_count = 0;
};

// Every data cell emptied, the header row and the row labels kept.
void EmptyReportTable(IGridAccess& table) {
    ClearTable(table.Cells());
    table.Redraw();
}

} // namespace

bool ReadReport(IGridAccess& report, IGridAccess& subgroupReport, TransferSession& session) {
    // Declared first, so that the cursor comes back only after the line has closed.
    CWaitCursor waitCursor(session.feedback);
    const std::unique_ptr<ISerialLine> line = OpenRegisterLine(session.line, session.feedback);
    if (!line) {
        return false;
    }
    CLink link(*line, session.clock, session.feedback, session.settings.EcrSerial,
               session.frameGapMs);
    if (!link.SendCommand('f')) {
        return false;
    }
    CReportRun run(link, session.feedback, session.settings.EcrType, session.stop);
    return run.Read(report, subgroupReport);
}

ReportOutcome OnReadReport(IGridAccess& report, IGridAccess& subgroupReport,
                           TransferSession& session) {
    if (!ValidateEcrSettings(session.settings, &session.feedback)) {
        return ReportOutcome::NotStarted;
    }
    EmptyReportTable(report);
    EmptyReportTable(subgroupReport);
    return ReadReport(report, subgroupReport, session) ? ReportOutcome::Complete
                                                       : ReportOutcome::Incomplete;
}

TableKind TabAfterReport(ReportOutcome outcome) {
    return outcome == ReportOutcome::Complete ? TableKind::SubgroupReport : TableKind::Report;
}

} // namespace tillora
