#pragma once

// What the merge engine needs of the windows around it: a new document
// window on a template, made the active one, and the finishing touches of a
// merged window. The main window implements it; tests use a fake.

#include <QString>

class TXTextControl;

namespace data {
class FieldTable;
struct HolderFields;
}

namespace textctl {
struct DocumentContent;
}

namespace merge {

class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    virtual QString programDirectory() const = 0;
    virtual void setMainWindowVisible(bool visible) = 0;
    // The generation read the field dictionary: the field combo follows it.
    virtual void fieldTableRead(const data::FieldTable &) {}

    // Opens a new document window on `plantilla`, as opening the file would
    // (slot, caption, page values), holding `content` read beforehand; the
    // window becomes the active one. nullptr when no window could be made.
    virtual TXTextControl *abrirPlantilla(const QString &plantilla,
                                          const textctl::DocumentContent &content) = 0;

    // The active window holds the merged report of one record: it gets
    // `caption` (empty: untitled, named by its slot), keeps the claim number
    // and the record's holder for its holder check, and counts as modified.
    virtual void finishMergedWindow(const QString &caption, const QString &numero,
                                    const data::HolderFields &holder) = 0;

    // Before the merge of record `registro` of `total`: false stops the
    // generation there, the windows already made staying.
    virtual bool mergingRecord(int /*registro*/, int /*total*/) { return true; }
};

}  // namespace merge
