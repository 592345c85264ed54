#pragma once

// The printer dialog through Qt's print dialog on the system printer,
// parented to a window. With no display it answers cancel and writes why
// to standard error.

#include "platformui/printerdialog.h"

#include <QPointer>
#include <QWidget>

#include <memory>

namespace platform {

class QtPrinterDialog final : public PrinterDialog {
public:
    explicit QtPrinterDialog(QWidget *parent = nullptr);
    ~QtPrinterDialog() override;
    Q_DISABLE_COPY_MOVE(QtPrinterDialog)

    QPrinter &printer() override;

protected:
    bool run() override;

private:
    QPointer<QWidget> m_parent;
    std::unique_ptr<QPrinter> m_printer;
};

}  // namespace platform
