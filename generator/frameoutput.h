#pragma once

// The output step's view of the main window: the open document windows
// with the claim numbers the merge gave them, the main window's launcher
// for the hand-off, and a printer for "I".

#include "merge/salida.h"

#include <functional>

namespace frame {
class MDIParent;
}

namespace generator {

class FrameOutput final : public merge::OutputHost {
public:
    using Printer = std::function<bool(TXTextControl &, QString *)>;

    // `print` left empty prints on the default printer.
    explicit FrameOutput(frame::MDIParent &parent, Printer print = {});

    QString programDirectory() const override;
    QList<Report> reports() override;
    void openWithAssociatedApplication(const QString &path) override;
    bool startDetached(const QString &program, const QStringList &arguments, QString *error) override;
    bool print(TXTextControl &control, QString *error) override;

private:
    frame::MDIParent &m_parent;
    Printer m_print;
};

// Every page once on the system's default printer, no dialog.
bool printOnDefaultPrinter(TXTextControl &control, QString *error);

}  // namespace generator
