#pragma once

// A canonical text description of a RichDocument, one line per element, for
// tests that compare two models ("reading what was written gives the same
// model"): a failing comparison shows as a line diff at the element that
// differs.
//
// What is shown is what a reader of the document sees, normalised so that
// two models that look the same dump the same: lengths in twips, colours as
// #rrggbb, character formats resolved against the document's default font,
// adjacent runs of equal format joined, lists and fields numbered in order
// of appearance, pictures by kind, size and a hash of their bytes (never by
// resource name), table cells with their effective borders and paddings.
//
//   EXPECT_EQ(dumpModel(reread), dumpModel(original));
//
// Output (shape):
//   page 11906x16837 margins 1440,1440,1440,1440 header 720 footer 720
//   area 1
//     p align=right tabs=[9638R.]
//       "Informe pericial" Arial 10 b
//   area 0
//     table 2x2 widths=[2000,3000]
//       cell 0,0 pad=40,40,40,40 borders=[t:10s#000000 ...]
//         p
//           "Asegurado" Arial 9 b fg=#1f4e79

#include <QString>

class QTextDocument;

namespace textctl {

class RichDocument;

QString dumpModel(const RichDocument &doc);

// One text (an area or the main text) in the same form, without the
// page lines.
QString dumpText(const QTextDocument &text);

}  // namespace textctl
