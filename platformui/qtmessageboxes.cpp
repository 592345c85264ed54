#include "platformui/qtmessageboxes.h"

#include "platformui/display.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {

namespace {

QMessageBox::StandardButtons buttonsOf(int style)
{
    switch (style & 7) {
    case OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

QMessageBox::Icon iconOf(int style)
{
    switch (style & 0x70) {
    case Critical:
        return QMessageBox::Critical;
    case Question:
        return QMessageBox::Question;
    case Exclamation:
        return QMessageBox::Warning;
    case Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

}  // namespace

Answer QtMessageBoxes::show(const QString &text, int style, const QString &title)
{
    if (!hasDisplay()) {
        reportWithoutDisplay(title.isEmpty() ? text : title + QStringLiteral(": ") + text);
        return dismissAnswer(style);
    }
    // A box with no title of its own carries the program's name.
    QMessageBox box(iconOf(style), title.isEmpty() ? QApplication::applicationName() : title,
                    displayText(text), buttonsOf(style), m_parent);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        return dismissAnswer(style);
    }
}

}  // namespace platform
