#include "DrawnText.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>
#include <QTreeView>
#include <QWidget>

namespace DrawnText {

namespace {

// A paint engine that draws nothing and keeps every text run handed to it.
class RecordingEngine : public QPaintEngine {
public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
    void drawRects(const QRectF *, int) override {}
    void drawLines(const QLineF *, int) override {}
    void drawEllipse(const QRectF &) override {}
    void drawPath(const QPainterPath &) override {}
    void drawPoints(const QPointF *, int) override {}
    void drawImage(const QRectF &, const QImage &, const QRectF &, Qt::ImageConversionFlags) override {}
    void drawTiledPixmap(const QRectF &, const QPixmap &, const QPointF &) override {}
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        QPainter *painter = this->painter();
        const QRectF local(p.x(), p.y() - item.ascent(), item.width(), item.ascent() + item.descent());
        const QTransform toDevice = painter->combinedTransform();
        QRectF visible = m_bounds;
        if (painter->hasClipping())
            visible &= toDevice.mapRect(painter->clipBoundingRect());
        runs.append({item.text(), toDevice.mapRect(local), visible});
    }
    Type type() const override { return QPaintEngine::User; }

    QRectF m_bounds;
    QList<Run> runs;
};

class RecordingDevice : public QPaintDevice {
public:
    explicit RecordingDevice(QSize size) : m_size(size) { m_engine.m_bounds = QRectF(QPointF(0, 0), size); }
    QPaintEngine *paintEngine() const override { return const_cast<RecordingEngine *>(&m_engine); }
    QList<Run> runs() const { return m_engine.runs; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return m_size.width();
        case PdmHeight: return m_size.height();
        case PdmWidthMM: return m_size.width() * 254 / 960;
        case PdmHeightMM: return m_size.height() * 254 / 960;
        case PdmNumColors: return INT_MAX;
        case PdmDepth: return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 96;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(QPaintDevice::devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    QSize m_size;
    RecordingEngine m_engine;
};

QString describe(const QRectF &rect)
{
    return QStringLiteral("x %1 to %2").arg(rect.left(), 0, 'f', 1).arg(rect.right(), 0, 'f', 1);
}

// Half a pixel of slack: a run's advance is fractional, its pixels are not.
bool inside(const QRectF &rect, const QRectF &room)
{
    return room.adjusted(-0.5, -0.5, 0.5, 0.5).contains(rect);
}

}  // namespace

QList<Run> record(QWidget *widget)
{
    RecordingDevice device(widget->size());
    {
        QPainter painter(&device);
        widget->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    }
    return device.runs();
}

QString boxProblem(QLineEdit *box)
{
    if (box->text().isEmpty())
        return QString();
    QString drawn;
    QRectF rect, visible;
    for (const Run &run : record(box)) {
        drawn += run.text;
        rect = rect.isNull() ? run.rect : rect.united(run.rect);
        visible = visible.isNull() ? run.visible : visible.united(run.visible);
    }
    if (drawn != box->text())
        return QStringLiteral("\"%1\" is drawn as \"%2\"").arg(box->text(), drawn);
    if (!inside(QRectF(rect.left(), visible.top(), rect.width(), visible.height()), visible))
        return QStringLiteral("\"%1\" is drawn from %2, only %3 shows").arg(box->text(), describe(rect), describe(visible));
    return QString();
}

QStringList cellProblems(QTreeView *list, const QList<int> &columns, int hiddenWidth)
{
    QStringList problems;
    QAbstractItemModel *model = list->model();
    if (!model)
        return problems;
    QWidget *viewport = list->viewport();
    const QList<Run> runs = record(viewport);
    const QRectF shown(QPointF(0, 0), viewport->size());
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            if ((!columns.isEmpty() && !columns.contains(column)) || list->isColumnHidden(column)
                || list->columnWidth(column) < hiddenWidth)
                continue;
            const QModelIndex index = model->index(row, column);
            const QString text = index.data(Qt::DisplayRole).toString();
            const QRect cell = list->visualRect(index);
            // A row scrolled partly out of view is not cut; it is looked at when scrolled to.
            if (text.isEmpty() || cell.top() < 0 || cell.bottom() >= viewport->height() || cell.right() < 0
                || cell.left() >= viewport->width())
                continue;
            const QString heading = model->headerData(column, Qt::Horizontal).toString();
            // The runs drawn within the cell's row and column, in the order drawn.
            QString drawn;
            QRectF extent;
            QRectF visible;
            for (const Run &run : runs) {
                const QPointF middle = run.rect.center();
                if (middle.y() < cell.top() || middle.y() > cell.bottom() + 1 || run.rect.left() < cell.left() - 0.5
                    || run.rect.left() > cell.right() + 0.5)
                    continue;
                drawn += run.text;
                extent = extent.isNull() ? run.rect : extent.united(run.rect);
                visible = run.visible & QRectF(cell);
            }
            if (drawn != text) {
                problems << QStringLiteral("row %1, column \"%2\" of %3: \"%4\" is drawn as \"%5\"")
                                .arg(row)
                                .arg(heading, list->objectName(), text, drawn);
            } else {
                const QRectF along(extent.left(), cell.top(), extent.width(), cell.height());
                if (!inside(along, visible & shown))
                    problems << QStringLiteral("row %1, column \"%2\" of %3: \"%4\" is drawn from %5, only %6 shows")
                                    .arg(row)
                                    .arg(heading, list->objectName(), text, describe(extent), describe(visible & shown));
            }
        }
    }
    return problems;
}

}  // namespace DrawnText
