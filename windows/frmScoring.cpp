#include "windows/frmScoring.h"

#include <QPainter>
#include <array>

#include "engine/numbers.h"
#include "engine/opponent.h"
#include "kit/fonts.h"
#include "scoring/score_rules.h"

namespace dz
{

namespace
{

constexpr int Rows = 4;    // the levels' header, then Win, Loss, Tie
constexpr int Columns = 5; // the results' names, then the four levels
// The rows by the words the scoring rules take, and as the table names them.
constexpr std::array<std::pair<const char*, const char*>, 3> Results{
    {{"Win", "Win"}, {"Lost", "Loss"}, {"Tie", "Tie"}}};

// Headings in bold; the picture is laid out in pixels.
QFont CellFont(int row, int column)
{
    QFont font = ArialFont(8, row == 0 || column == 0);
    font.setPixelSize(11);
    return font;
}

QPixmap TablePicture(qreal ratio)
{
    const QRect area(0, 0, 320, 142);
    QPixmap picture(area.size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    const QRect heading(0, 0, area.width(), 32);
    const QString title = QStringLiteral("Scoring Table");
    painter.setFont(PresidentFont(15, true));
    painter.setPen(Qt::darkRed); // its shadow
    painter.drawText(heading.translated(2, 2), Qt::AlignCenter, title);
    painter.setPen(Qt::red);
    painter.drawText(heading, Qt::AlignCenter, title);

    // A column is as wide as its widest text, and the columns share what is left evenly.
    std::array<int, Columns + 1> edges{};
    for (int column = 0; column < Columns; ++column) {
        int need = 0;
        for (int row = 0; row < Rows; ++row) {
            need = std::max(need, QFontMetrics(CellFont(row, column))
                                      .horizontalAdvance(frmScoring::CellText(row, column)));
        }
        edges[column + 1] = edges[column] + need;
    }
    const int spare = (area.width() - 12 - edges.back()) / Columns;
    const int rowHeight = 25;
    const QPoint grid(6, heading.bottom() + 5);
    painter.setPen(Qt::black);
    for (int row = 0; row < Rows; ++row) {
        for (int column = 0; column < Columns; ++column) {
            const QRect cell(grid + QPoint(edges[column] + spare * column, rowHeight * row),
                             QSize(edges[column + 1] - edges[column] + spare, rowHeight));
            painter.drawRect(cell);
            painter.setFont(CellFont(row, column));
            painter.drawText(cell, Qt::AlignCenter, frmScoring::CellText(row, column));
        }
    }
    // The outer border doubled.
    painter.drawRect(QRect(grid, QSize(edges.back() + spare * Columns, rowHeight * Rows))
                         .adjusted(-2, -2, 2, 2));
    return picture;
}

} // namespace

frmScoring::frmScoring(Context&, QWidget* parent) : QWidget(parent)
{
    ui.setupUi(this);
    setFixedSize(size());
    ui.Image1->setPixmap(TablePicture(devicePixelRatioF()));
    connect(ui.cmdOK, &QPushButton::clicked, this, &QWidget::close);
}

QString frmScoring::CellText(int row, int column)
{
    if (row == 0)
        return column == 0 ? QString() : Levels[size_t(column - 1)];
    const auto& [result, name] = Results[size_t(row - 1)];
    if (column == 0)
        return QLatin1String(name);
    const double points = Points(QLatin1String(result), Levels[size_t(column - 1)]).value_or(0);
    return (points > 0 ? QStringLiteral("+") : QString()) + NumberText(points);
}

} // namespace dz
