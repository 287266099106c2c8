#include "ui/qt/qt_icon.h"

#include <QPainter>
#include <QPixmap>

namespace {

QPixmap ProgramPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal margin = size / 16.0;
    const QRectF box(margin, margin, size - 2 * margin, size - 2 * margin);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2E, 0x6B, 0x9E));
    painter.drawRoundedRect(box, size / 6.0, size / 6.0);
    QFont font;
    font.setBold(true);
    font.setPixelSize(size * 3 / 4);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, QStringLiteral("T"));
    return pixmap;
}

}  // namespace

QIcon QtIcon(int32_t resource)
{
    if (resource != kQtProgramIcon)
        return {};
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(ProgramPixmap(size));
    return icon;
}
