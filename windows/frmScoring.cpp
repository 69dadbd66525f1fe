#include "windows/frmScoring.h"

#include <QFontMetrics>
#include <QPainter>
#include <array>

#include "engine/numbers.h"
#include "kit/fonts.h"
#include "scoring/score_rules.h"

namespace dz
{

namespace
{

constexpr std::array<const char*, 4> Levels{"Easy", "Moderate", "Hard", "Unbeatable"};
// The rows by the words the scoring rules take, and as the table names them.
constexpr std::array<std::pair<const char*, const char*>, 3> Results{
    {{"Win", "Win"}, {"Lost", "Loss"}, {"Tie", "Tie"}}};

// Layout of the picture, in device-independent pixels.
constexpr int GridTop = 36;
constexpr int RowHeight = 25;
constexpr int Margin = 6;

// The left edge of each column and the right edge of the last: the columns share the
// width left over by their widest texts evenly.
std::array<int, frmScoring::Columns + 1> ColumnEdges()
{
    std::array<int, frmScoring::Columns> need{};
    int total = 0;
    for (int column = 0; column < frmScoring::Columns; ++column) {
        for (int row = 0; row < frmScoring::Rows; ++row) {
            const QFontMetrics metrics(frmScoring::CellFont(row, column));
            need[column] = std::max(need[column],
                                    metrics.horizontalAdvance(frmScoring::CellText(row, column)));
        }
        total += need[column];
    }
    const int width = frmScoring::PictureSize.width() - 2 * Margin;
    const int spare = std::max(0, width - total) / frmScoring::Columns;
    std::array<int, frmScoring::Columns + 1> edges{Margin};
    for (int column = 0; column < frmScoring::Columns; ++column)
        edges[column + 1] = edges[column] + need[column] + spare;
    return edges;
}

void drawHeading(QPainter& painter)
{
    const QRect area(0, 2, frmScoring::PictureSize.width(), GridTop - 6);
    const QString heading = QStringLiteral("Scoring Table");
    painter.setFont(PresidentFont(15, true));
    painter.setPen(QColor(64, 0, 0));
    painter.drawText(area.translated(2, 2), Qt::AlignCenter, heading);
    painter.setPen(QColor(220, 0, 0));
    painter.drawText(area, Qt::AlignCenter, heading);
}

void drawGrid(QPainter& painter)
{
    const auto edges = ColumnEdges();
    const QRect outer(edges.front(), GridTop, edges.back() - edges.front(),
                      RowHeight * frmScoring::Rows);
    // Filled rectangles rather than lines stay crisp at any pixel ratio.
    const auto frame = [&](const QRect& r) {
        painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), Qt::black);
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), Qt::black);
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), Qt::black);
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), Qt::black);
    };
    frame(outer);
    frame(outer.adjusted(2, 2, -2, -2));
    for (int row = 1; row < frmScoring::Rows; ++row)
        painter.fillRect(QRect(outer.left() + 2, GridTop + RowHeight * row, outer.width() - 4, 1),
                         Qt::black);
    for (int column = 1; column < frmScoring::Columns; ++column)
        painter.fillRect(QRect(edges[column], outer.top() + 2, 1, outer.height() - 4), Qt::black);
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
        return column == 0 ? QString() : QLatin1String(Levels[column - 1]);
    const auto& [result, label] = Results[row - 1];
    if (column == 0)
        return QLatin1String(label);
    const double points =
        Points(QLatin1String(result), QLatin1String(Levels[column - 1])).value_or(0);
    return (points > 0 ? QStringLiteral("+") : QString()) + NumberText(points);
}

QRect frmScoring::CellRect(int row, int column)
{
    const auto edges = ColumnEdges();
    return QRect(edges[column], GridTop + RowHeight * row, edges[column + 1] - edges[column],
                 RowHeight);
}

QFont frmScoring::CellFont(int row, int column)
{
    QFont font = ArialFont(8, row == 0 || column == 0);
    font.setPixelSize(11); // the picture is drawn in pixels
    return font;
}

QPixmap frmScoring::TablePicture(qreal devicePixelRatio)
{
    QPixmap picture(PictureSize * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    drawHeading(painter);
    drawGrid(painter);
    painter.setPen(Qt::black);
    for (int row = 0; row < Rows; ++row) {
        for (int column = 0; column < Columns; ++column) {
            painter.setFont(CellFont(row, column));
            painter.drawText(CellRect(row, column), Qt::AlignCenter, CellText(row, column));
        }
    }
    return picture;
}

} // namespace dz
