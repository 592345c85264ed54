#pragma once

// The section blocks of a claim: the long texts and the valuation table
// columns that the claim-management application writes to the section file
// <program dir>/<claim number>.txt, each inserted whole in place of its
// marker of the main text.
//
// The file holds up to ten sections, each after a header line (matched
// after removing the spaces at both ends, letter case counting) in a fixed
// order; the first five are required, the last five optional. A block is
// its section's lines, each followed by LF then CR.
//
//   std::array<QString, kSectionCount> blocks;
//   if (!readSections(bytes, &blocks)) blocks = {};   // all markers removed

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <array>

class TXTextControl;

namespace merge {

struct MergeData;

inline constexpr int kSectionCount = 10;
inline constexpr int kRequiredSections = 5;

struct Section {
    QStringView header;  // the header line
    QStringView marker;  // the marker of the main text that takes the block
};

inline constexpr std::array<Section, kSectionCount> kSections{{
    {u"[CABECERA]", u"&Peritaje,Texto previo&"},
    {u"[PIE]", u"&Peritaje,Texto conclusion&"},
    {u"[HISTORIA]", u"&peritaje,texto incidencias&"},
    {u"[PARTES]", u"&peritaje,texto parte siniestro&"},
    {u"[VALORACION]", u"&peritaje, detalle valoracion&"},
    {u"[VAL_CON]", u"&valoracion,concepto&"},
    {u"[VAL_UNI]", u"&valoracion,unidad&"},
    {u"[VAL_PRE]", u"&valoracion,precio&"},
    {u"[VAL_DES]", u"&valoracion,Descuento&"},
    {u"[VAL_TOT]", u"&valoracion,Total&"},
}};

using SectionBlocks = std::array<QString, kSectionCount>;

// Splits a section file into its ten blocks. False, with every block
// empty, when the file ends before one of the five required headers.
bool readSections(QByteArrayView bytes, SectionBlocks *blocks);

// Reads the section file of claim `numero` in the merge's program directory
// (its name matched ignoring case) and puts each block in place of the
// first occurrence of its marker in the main text. A missing, unreadable or
// short file gives empty blocks, so every section marker is removed;
// nothing is reported.
void insertar_secciones(TXTextControl &control, const MergeData &mergeData, const QString &numero);

// Puts each block in place of the first occurrence of its marker in the
// main text; an empty block removes the marker.
void placeBlocks(TXTextControl &control, const SectionBlocks &blocks);

}  // namespace merge
