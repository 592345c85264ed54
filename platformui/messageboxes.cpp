#include "platformui/messageboxes.h"

namespace platform {

Answer dismissAnswer(int style)
{
    switch (style & 7) {
    case OkCancel:
    case YesNoCancel:
        return Answer::Cancel;
    case YesNo:
        return Answer::No;
    default:
        return Answer::Ok;
    }
}

QString displayText(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    return shown;
}

}  // namespace platform
