#pragma once

// What a template's markers will meet in a merge, found before any merge:
// every "&...&" of the main text and the four header and footer areas that
// no dictionary name and no section marker matches (letter case ignored,
// as the merge matches), and every dictionary field that no marker uses. A
// marker split over formatting runs is one marker. A typo in a marker would
// otherwise go silently into every report.
//
// A marker is "&", text that neither starts nor ends with a blank, "&",
// within one paragraph and at most 60 characters long: "Pérez & Hijos y
// Gómez & Cía" holds none.
//
//   const merge::TemplateCheck check = merge::checkTemplate(control, table.names());
//   std::puts(qPrintable(merge::describeCheck(check, u"inf01.rtf"_s)));

#include <QList>
#include <QString>
#include <QStringList>

class TXTextControl;

namespace merge {

struct UnknownMarker {
    int area = 0;      // 0 the main text, else the area's code (areas.h)
    int page = 0;      // the main text's page; 0 in a header or footer
    QString marker;    // as written, "&" included
    QString context;   // the words around it in its paragraph
};

struct TemplateCheck {
    QList<UnknownMarker> unknownMarkers;  // areas in the control's order
    QStringList unusedFields;             // in dictionary order, once each
};

TemplateCheck checkTemplate(TXTextControl &control, const QStringList &fieldNames);

// The check as a Spanish report, one finding a line.
QString describeCheck(const TemplateCheck &check, const QString &templateName);

}  // namespace merge
