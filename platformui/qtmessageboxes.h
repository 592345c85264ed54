#pragma once

// Message boxes through QMessageBox, parented to a window; with no display
// the text goes to standard error and the box is dismissed.

#include "platformui/messageboxes.h"

#include <QPointer>

#include <QWidget>

namespace platform {

class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget *parent = nullptr) : m_parent(parent) {}
    Answer show(const QString &text, int style = OkOnly, const QString &title = {}) override;

private:
    QPointer<QWidget> m_parent;
};

}  // namespace platform
