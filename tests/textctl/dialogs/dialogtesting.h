#pragma once

// Helpers of the dialog tests: a control with text and a selection, and a
// dialog's widgets found by their names.

#include "textctl/txtextcontrol.h"

#include <QTextCursor>
#include <QWidget>

#include <gtest/gtest.h>

namespace textctl::testing {

inline void select(TXTextControl &control, int from, int to)
{
    QTextCursor cursor = control.cursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    control.setCursor(cursor);
}

template <typename T>
T *field(const QWidget &dialog, const char *name)
{
    T *widget = dialog.findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

}  // namespace textctl::testing
