#pragma once

// The common dialog through Qt's file dialog, parented to a window.

#include "platformui/commondialog.h"

#include <QPointer>

#include <QWidget>

namespace platform {

class QtCommonDialog final : public CommonDialog {
public:
    explicit QtCommonDialog(QWidget *parent = nullptr) : m_parent(parent) {}

protected:
    bool run(DialogKind kind) override;

private:
    QPointer<QWidget> m_parent;
};

}  // namespace platform
