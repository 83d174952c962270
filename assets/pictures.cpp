#include "pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace pictures {

namespace {
QPixmap canvas(int w, int h, QColor fill = Qt::transparent) {
    QPixmap p(w, h);
    p.fill(fill);
    return p;
}

QPixmap scaled(const QPixmap& p, bool pressed) {
    return pressed ? p.scaled(p.size() * 0.8, Qt::KeepAspectRatio, Qt::SmoothTransformation) : p;
}

void speakerBody(QPainter& g, QColor colour) {
    QPainterPath body;
    body.moveTo(8, 20);
    body.lineTo(16, 20);
    body.lineTo(26, 11);
    body.lineTo(26, 41);
    body.lineTo(16, 32);
    body.lineTo(8, 32);
    body.closeSubpath();
    g.fillPath(body, colour);
}
} // namespace

QPixmap PlayButton(bool pressed) {
    QPixmap p = canvas(52, 52);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    QPainterPath tri;
    tri.moveTo(14, 8);
    tri.lineTo(44, 26);
    tri.lineTo(14, 44);
    tri.closeSubpath();
    g.fillPath(tri, QColor(0, 150, 0));
    g.end();
    return scaled(p, pressed);
}

QPixmap PauseButton(bool pressed) {
    QPixmap p = canvas(52, 52);
    QPainter g(&p);
    g.fillRect(13, 9, 9, 34, QColor(0, 150, 0));
    g.fillRect(30, 9, 9, 34, QColor(0, 150, 0));
    g.end();
    return scaled(p, pressed);
}

QPixmap StopButton(bool pressed) {
    QPixmap p = canvas(52, 52);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0, 170, 0));
    g.drawRoundedRect(QRectF(10, 10, 32, 32), 7, 7);
    g.end();
    return scaled(p, pressed);
}

QPixmap Loudspeaker() {
    QPixmap p = canvas(52, 52);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    speakerBody(g, QColor(0, 160, 0));
    g.setPen(QPen(QColor(0, 160, 0), 3));
    g.drawArc(QRectF(22, 16, 14, 20), -60 * 16, 120 * 16);
    g.drawArc(QRectF(20, 10, 24, 32), -60 * 16, 120 * 16);
    g.end();
    return p;
}

QPixmap LoudspeakerMuted() {
    QPixmap p = canvas(52, 52);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    speakerBody(g, QColor(0, 160, 0));
    g.setPen(QPen(QColor(220, 0, 0), 4));
    g.drawLine(6, 8, 44, 44);
    g.drawLine(44, 8, 6, 44);
    g.end();
    return p;
}

QPixmap VolumeKnob() {
    QPixmap p = canvas(30, 9);
    QPainter g(&p);
    QLinearGradient shade(0, 0, 0, 9);
    shade.setColorAt(0, QColor(230, 230, 230));
    shade.setColorAt(1, QColor(110, 110, 110));
    g.fillRect(0, 0, 30, 9, shade);
    g.setPen(QColor(40, 40, 40));
    g.drawRect(0, 0, 29, 8);
    g.drawLine(15, 1, 15, 7);
    g.end();
    return p;
}

QPixmap CueMarker() {
    QPixmap p = canvas(16, 16);
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(255, 200, 0));
    g.drawEllipse(QRectF(1, 1, 14, 14));
    g.end();
    return p;
}

QPixmap MinimizeButton() {
    QPixmap p = canvas(23, 23, QColor(200, 200, 200));
    QPainter g(&p);
    g.setPen(QColor(60, 60, 60));
    g.drawRect(0, 0, 22, 22);
    g.fillRect(5, 15, 13, 3, Qt::black);
    g.end();
    return p;
}

QPixmap CloseButton() {
    QPixmap p = canvas(23, 23, QColor(200, 200, 200));
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QColor(60, 60, 60));
    g.drawRect(0, 0, 22, 22);
    g.setPen(QPen(Qt::black, 2.5));
    g.drawLine(6, 6, 16, 16);
    g.drawLine(16, 6, 6, 16);
    g.end();
    return p;
}

QPixmap Logo() {
    QPixmap p = canvas(135, 136, QColor(0, 0, 160));
    QPainter g(&p);
    g.setRenderHint(QPainter::Antialiasing);
    QRadialGradient disc(67, 68, 62);
    disc.setColorAt(0, QColor(255, 240, 120));
    disc.setColorAt(1, QColor(230, 140, 0));
    g.setBrush(disc);
    g.setPen(Qt::NoPen);
    g.drawEllipse(QRectF(6, 7, 123, 123));
    // A dome over a base line: the player's own shape.
    g.setBrush(QColor(120, 0, 0));
    g.drawChord(QRectF(27, 40, 81, 100), 0, 180 * 16);
    g.setBrush(QColor(255, 255, 0));
    QPainterPath note;
    note.addEllipse(QRectF(52, 72, 14, 10));
    note.addRect(QRectF(63, 50, 3, 27));
    g.drawPath(note);
    g.end();
    return p;
}

} // namespace pictures
