#pragma once

// Test double of the printer dialog: each opening is recorded with the
// settings it was given and answered from a script queued beforehand; its
// printer writes a PDF file. An opening with no scripted answer is recorded
// and answered with cancel.

#include "platformui/printerdialog.h"

#include <QList>
#include <QQueue>
#include <QString>

#include <memory>

namespace platform {

class ScriptedPrinterDialog final : public PrinterDialog {
public:
    // The printer writes PDF to `pdfPath`.
    explicit ScriptedPrinterDialog(const QString &pdfPath);
    ~ScriptedPrinterDialog() override;
    Q_DISABLE_COPY_MOVE(ScriptedPrinterDialog)

    // The next opening prints every page in `copies` copies.
    void printAllNext(int copies = 1) { m_script.enqueue({false, copies, 0, 0, false}); }
    // The next opening prints pages `from` to `to` in `copies` copies.
    void printRangeNext(int from, int to, int copies = 1) { m_script.enqueue({false, copies, from, to, true}); }
    void cancelNext() { m_script.enqueue({true, 1, 0, 0, false}); }

    const QList<PrinterDialogSettings> &openings() const { return m_openings; }
    int pendingAnswers() const { return static_cast<int>(m_script.size()); }
    QPrinter &printer() override { return *m_printer; }

protected:
    bool run() override;

private:
    struct Step {
        bool cancel;
        int copies;
        int from;
        int to;
        bool range;
    };
    std::unique_ptr<QPrinter> m_printer;
    QQueue<Step> m_script;
    QList<PrinterDialogSettings> m_openings;
};

}  // namespace platform
