#include "grid/GridPrinter.h"

#include "link/Cp1251.h"
#include "support/ModelInForce.h"
#include "tables/TableSetup.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <memory>

namespace tillora {
namespace {

constexpr int ArticleRows = 2600;

QFont TableFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(14);
    return font;
}

void FillArticles(CCellGrid& articles) {
    const std::string name = Utf8ToCp1251("Артикул ");
    for (int row = 1; row <= ArticleRows; ++row) {
        const std::string number = std::to_string(row);
        const std::string fields[] = {name + number,
                                      "380" + std::string(9 - number.size(), '0') + number,
                                      std::to_string(row % 100) + ".50",
                                      "\xC1",
                                      std::to_string(row % 10),
                                      "0",
                                      std::to_string(row % 250) + ".125"};
        for (int column = 1; column <= 7; ++column) {
            articles.SetItemText(row, column, fields[column - 1]);
        }
    }
}

// The page objects of a PDF file (its page tree node, "/Pages", excluded).
int PdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    const QString text = QString::fromLatin1(file.readAll());
    return static_cast<int>(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))));
}

// A page as the printer draws it on paper of the given size in pixels.
QImage PageImage(CGridPrinter& printer, int page, QSize paper = QSize(850, 1100)) {
    QImage image(paper, QImage::Format_RGB32);
    image.fill(Qt::white);
    printer.OnBeginPrinting(image);
    QPainter painter(&image);
    printer.OnPrint(painter, page);
    painter.end();
    printer.OnEndPrinting();
    return image;
}

// The part of a page above its footer, which holds the time of printing.
QImage AboveFooter(const QImage& page, const CGridPrinter& printer) {
    const double scale = static_cast<double>(page.width()) / printer.Layout().pageWidth;
    return page.copy(0, 0, page.width(),
                     static_cast<int>(printer.Layout().FooterTop() * scale) - 2);
}

bool HasInk(const QImage& image, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                return true;
            }
        }
    }
    return false;
}

void ShapeSmallGrid(CCellGrid& grid, int columns) {
    grid.SetColumnCount(columns);
    grid.SetRowCount(4);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (int c = 0; c < columns; ++c) {
        grid.SetColumnWidth(c, 80);
    }
}

} // namespace

class GridPrinterTest : public QObject {
    Q_OBJECT

private slots:
    void theArticlesPdfHasTheLayoutsPageCount() {
        const test::ModelInForce model(0);
        CCellGrid articles;
        SetupTable(articles, TableKind::Articles);
        FillArticles(articles);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath(QStringLiteral("articles.pdf"));

        CGridPrinter printer(articles, QStringLiteral("Tillora - [Артикули]"), TableFont());
        {
            QPdfWriter pdf(path);
            pdf.setPageSize(QPageSize(QPageSize::A4));
            QVERIFY(printer.Print(pdf));
        }
        const PrintLayout& layout = printer.Layout();
        const int perPage = layout.bodyHeight / articles.GetRowHeight(1);
        QVERIFY(perPage > 10);
        QCOMPARE(layout.PageCount(), (ArticleRows + perPage - 1) / perPage);
        QCOMPARE(PdfPageCount(path), layout.PageCount());
    }

    void aPrintersPageRangePrintsOnlyThosePages() {
        CCellGrid articles;
        SetupTable(articles, TableKind::Articles);
        QTemporaryDir folder;
        QPrinter device(QPrinter::HighResolution);
        device.setOutputFormat(QPrinter::PdfFormat);
        device.setOutputFileName(folder.filePath(QStringLiteral("range.pdf")));
        device.setFromTo(2, 4);
        CGridPrinter printer(articles, QStringLiteral("T"), TableFont());
        QVERIFY(printer.Print(device));
        QVERIFY(printer.GetPageCount() > 4);
        QCOMPARE(PdfPageCount(device.outputFileName()), 3);
    }

    void theTitleStandsAtTheCentreOfTheHeader() {
        CCellGrid grid;
        ShapeSmallGrid(grid, 4);
        CGridPrinter untitled(grid, QString(), TableFont());
        CGridPrinter titled(grid, QStringLiteral("Заглавие"), TableFont());
        const QImage without = PageImage(untitled, 1);
        const QImage with = PageImage(titled, 1);
        const PrintLayout& layout = titled.Layout();
        const double scale = static_cast<double>(with.width()) / layout.pageWidth;
        const int centre = static_cast<int>((layout.Left() + layout.gridWidth / 2.0) * scale);
        const QRect header(centre - 20, static_cast<int>(layout.HeaderTop() * scale), 40,
                           static_cast<int>(layout.metrics.lineHeight * 2 * scale) - 2);
        QVERIFY(HasInk(with, header));
        QVERIFY(!HasInk(without, header));
        // The program's name stands at the right on both.
        const QRect right(static_cast<int>((layout.Left() + layout.gridWidth) * scale) - 30,
                          header.top(), 28, header.height());
        QVERIFY(HasInk(without, right));
    }

    void hiddenColumnsAreLeftOut() {
        CCellGrid withHidden;
        ShapeSmallGrid(withHidden, 4);
        CCellGrid without;
        ShapeSmallGrid(without, 3);
        for (int r = 0; r < 4; ++r) {
            withHidden.SetItemText(r, 1, "a" + std::to_string(r));
            withHidden.SetItemText(r, 2, "HIDDEN");
            withHidden.SetItemText(r, 3, "b" + std::to_string(r));
            without.SetItemText(r, 1, "a" + std::to_string(r));
            without.SetItemText(r, 2, "b" + std::to_string(r));
        }
        withHidden.SetColumnWidth(2, 0);
        CGridPrinter hiding(withHidden, QStringLiteral("T"), TableFont());
        CGridPrinter plain(without, QStringLiteral("T"), TableFont());
        const QImage hidingPage = PageImage(hiding, 1);
        const QImage plainPage = PageImage(plain, 1);
        QCOMPARE(hiding.Layout().gridWidth, 3 * 80);
        QCOMPARE(AboveFooter(hidingPage, hiding), AboveFooter(plainPage, plain));
    }

    void aCheckedFlagIsDrawnDifferently() {
        const test::ModelInForce model(0);
        CCellGrid company;
        SetupTable(company, TableKind::Company);
        CGridPrinter printer(company, QStringLiteral("T"), TableFont());
        const QImage unchecked = AboveFooter(PageImage(printer, 1), printer);
        company.SetItemText(1, 2, "1");
        const QImage checked = AboveFooter(PageImage(printer, 1), printer);
        QVERIFY(unchecked != checked);
    }

    void theTitleIsTheFirstFoundOutwards() {
        QWidget window;
        window.setWindowTitle(QStringLiteral("Tillora - [a.txt][*]"));
        QWidget* middle = new QWidget(&window);
        QWidget* grid = new QWidget(middle);
        QCOMPARE(PrintTitleOf(grid), QStringLiteral("Tillora - [a.txt]"));
        middle->setWindowTitle(QStringLiteral("inner"));
        QCOMPARE(PrintTitleOf(grid), QStringLiteral("inner"));
        QCOMPARE(PrintTitleOf(nullptr), QString());
    }
};

} // namespace tillora

QTEST_MAIN(tillora::GridPrinterTest)
#include "GridPrinterTest.moc"
