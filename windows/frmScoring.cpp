#include "windows/frmScoring.h"

#include <QPainter>

#include "engine/numbers.h"
#include "play/fonts.h"
#include "scoring/points_table.h"

namespace dz
{

namespace
{

// Rows as the table shows them, by the result words of the scoring rules.
constexpr std::array<std::string_view, 3> RowOrder{"Win", "Lost", "Tie"};

const PointsRow& rowFor(std::string_view result)
{
    for (const PointsRow& row : PointsTable) {
        if (row.result == result)
            return row;
    }
    Q_UNREACHABLE();
}

QString text(std::string_view s)
{
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

// Layout of the picture, in device-independent pixels.
constexpr int GridLeft = 6;
constexpr int GridTop = 36;
constexpr int LabelWidth = 44;
constexpr int LevelWidth = 66;
constexpr int RowHeight = 25;
constexpr int GridWidth = LabelWidth + LevelWidth * int(Levels.size());
constexpr int GridHeight = RowHeight * (int(RowOrder.size()) + 1);

QRect cellRect(int row, int column)
{
    const int left = column == 0 ? GridLeft : GridLeft + LabelWidth + LevelWidth * (column - 1);
    const int width = column == 0 ? LabelWidth : LevelWidth;
    return QRect(left, GridTop + RowHeight * row, width, RowHeight);
}

QFont tableFont(bool bold)
{
    QFont font = ArialFont(8, bold);
    font.setPixelSize(11); // the picture is drawn in pixels
    return font;
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
    const QRect outer(GridLeft, GridTop, GridWidth, GridHeight);
    // Filled rectangles rather than lines stay crisp at any pixel ratio.
    const auto frame = [&](const QRect& r) {
        painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), Qt::black);
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), Qt::black);
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), Qt::black);
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), Qt::black);
    };
    frame(outer);
    frame(outer.adjusted(2, 2, -2, -2));
    for (int row = 1; row <= int(RowOrder.size()); ++row)
        painter.fillRect(QRect(outer.left() + 2, cellRect(row, 0).top(), outer.width() - 4, 1),
                         Qt::black);
    for (int column = 1; column <= int(Levels.size()); ++column)
        painter.fillRect(QRect(cellRect(0, column).left(), outer.top() + 2, 1, outer.height() - 4),
                         Qt::black);
}

void drawCells(QPainter& painter)
{
    painter.setPen(Qt::black);
    painter.setFont(tableFont(true));
    for (int column = 1; column <= int(Levels.size()); ++column)
        painter.drawText(cellRect(0, column), Qt::AlignCenter, text(Levels[column - 1]));
    for (int row = 1; row <= int(RowOrder.size()); ++row) {
        const PointsRow& points = rowFor(RowOrder[row - 1]);
        painter.setFont(tableFont(true));
        painter.drawText(cellRect(row, 0), Qt::AlignCenter, text(points.label));
        painter.setFont(tableFont(false));
        for (int column = 1; column <= int(Levels.size()); ++column)
            painter.drawText(cellRect(row, column), Qt::AlignCenter,
                             frmScoring::PointsText(points.points[column - 1]));
    }
}

} // namespace

frmScoring::frmScoring(Context&, QWidget* parent) : QWidget(parent)
{
    ui.setupUi(this);
    setFixedSize(size());
    ui.Image1->setPixmap(TablePicture(devicePixelRatioF()));
    connect(ui.cmdOK, &QPushButton::clicked, this, &frmScoring::cmdOK_Click);
}

QString frmScoring::PointsText(double points)
{
    return (points > 0 ? QStringLiteral("+") : QString()) + NumberText(points);
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
    drawCells(painter);
    return picture;
}

void frmScoring::cmdOK_Click()
{
    close();
}

} // namespace dz
