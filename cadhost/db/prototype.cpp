// The prototype drawing, kept as tag lines ("code value") of an R2000 file.
#include "prototype.h"

#include <cstdlib>
#include <cstring>

#include "db/loader.h"

namespace cadhost::db {

namespace {

const char* const prototype_tags[] = {
    "0 SECTION", "2 HEADER",
    "9 $ACADVER", "1 AC1015", "9 $ACADMAINTVER", "70 6", "9 $DWGCODEPAGE", "3 ANSI_1252",
    "9 $INSBASE", "10 0.0", "20 0.0", "30 0.0",
    "9 $EXTMIN", "10 0.0", "20 0.0", "30 0.0", "9 $EXTMAX", "10 0.0", "20 0.0", "30 0.0",
    "9 $LIMMIN", "10 0.0", "20 0.0", "9 $LIMMAX", "10 420.0", "20 297.0",
    "9 $ORTHOMODE", "70 0", "9 $CLAYER", "8 0", "9 $CELTYPE", "6 BYLAYER", "9 $TEXTSTYLE", "7 STANDARD",
    "9 $TEXTSIZE", "40 2.5", "9 $ATTMODE", "70 1", "9 $ATTDIA", "70 0", "9 $ATTREQ", "70 1",
    "9 $USERI1", "70 0", "9 $USERI2", "70 0", "9 $USERI3", "70 0", "9 $USERI4", "70 0", "9 $USERI5", "70 0",
    "9 $USERR1", "40 0.0", "9 $USERR2", "40 0.0", "9 $USERR3", "40 0.0", "9 $USERR4", "40 0.0", "9 $USERR5", "40 0.0",
    "9 $MEASUREMENT", "70 1", "9 $INSUNITS", "70 4", "9 $HANDSEED", "5 100",
    "0 ENDSEC",
    "0 SECTION", "2 CLASSES", "0 ENDSEC",
    "0 SECTION", "2 TABLES",
    "0 TABLE", "2 VPORT", "5 8", "330 0", "100 AcDbSymbolTable", "70 1",
    "0 VPORT", "5 29", "330 8", "100 AcDbSymbolTableRecord", "100 AcDbViewportTableRecord", "2 *ACTIVE", "70 0",
    "10 0.0", "20 0.0", "11 1.0", "21 1.0", "12 210.0", "22 148.5", "13 0.0", "23 0.0", "14 10.0", "24 10.0",
    "15 10.0", "25 10.0", "16 0.0", "26 0.0", "36 1.0", "17 0.0", "27 0.0", "37 0.0", "40 297.0", "41 1.414",
    "42 50.0", "43 0.0", "44 0.0", "50 0.0", "51 0.0", "71 0", "72 100", "73 1", "74 3", "75 0", "76 0", "77 0", "78 0",
    "0 ENDTAB",
    "0 TABLE", "2 LTYPE", "5 5", "330 0", "100 AcDbSymbolTable", "70 7",
    "0 LTYPE", "5 14", "330 5", "100 AcDbSymbolTableRecord", "100 AcDbLinetypeTableRecord", "2 BYBLOCK", "70 0", "3 ", "72 65", "73 0", "40 0.0",
    "0 LTYPE", "5 15", "330 5", "100 AcDbSymbolTableRecord", "100 AcDbLinetypeTableRecord", "2 BYLAYER", "70 0", "3 ", "72 65", "73 0", "40 0.0",
    "0 LTYPE", "5 16", "330 5", "100 AcDbSymbolTableRecord", "100 AcDbLinetypeTableRecord", "2 CONTINUOUS", "70 0", "3 Solid line", "72 65", "73 0", "40 0.0",
    "0 LTYPE", "5 30", "330 5", "100 AcDbSymbolTableRecord", "100 AcDbLinetypeTableRecord", "2 DASHED", "70 0", "3 Dashed __ __ __ __",
    "72 65", "73 2", "40 0.75", "49 0.5", "74 0", "49 -0.25", "74 0",
    "0 LTYPE", "5 31", "330 5", "100 AcDbSymbolTableRecord", "100 AcDbLinetypeTableRecord", "2 HIDDEN", "70 0", "3 Hidden __ __ __ __",
    "72 65", "73 2", "40 0.375", "49 0.25", "74 0", "49 -0.125", "74 0",
    "0 LTYPE", "5 32", "330 5", "100 AcDbSymbolTableRecord", "100 AcDbLinetypeTableRecord", "2 CENTER", "70 0", "3 Center ____ _ ____ _",
    "72 65", "73 4", "40 2.0", "49 1.25", "74 0", "49 -0.25", "74 0", "49 0.25", "74 0", "49 -0.25", "74 0",
    "0 LTYPE", "5 33", "330 5", "100 AcDbSymbolTableRecord", "100 AcDbLinetypeTableRecord", "2 DOT", "70 0", "3 Dot . . . . . .",
    "72 65", "73 2", "40 0.25", "49 0.0", "74 0", "49 -0.25", "74 0",
    "0 ENDTAB",
    "0 TABLE", "2 LAYER", "5 2", "330 0", "100 AcDbSymbolTable", "70 1",
    "0 LAYER", "5 10", "330 2", "100 AcDbSymbolTableRecord", "100 AcDbLayerTableRecord", "2 0", "70 0", "62 7", "6 CONTINUOUS", "370 -3",
    "0 ENDTAB",
    "0 TABLE", "2 STYLE", "5 3", "330 0", "100 AcDbSymbolTable", "70 1",
    "0 STYLE", "5 11", "330 3", "100 AcDbSymbolTableRecord", "100 AcDbTextStyleTableRecord", "2 STANDARD", "70 0",
    "40 0.0", "41 1.0", "50 0.0", "71 0", "42 2.5", "3 txt", "4 ",
    "0 ENDTAB",
    "0 TABLE", "2 VIEW", "5 6", "330 0", "100 AcDbSymbolTable", "70 0", "0 ENDTAB",
    "0 TABLE", "2 UCS", "5 7", "330 0", "100 AcDbSymbolTable", "70 0", "0 ENDTAB",
    "0 TABLE", "2 APPID", "5 9", "330 0", "100 AcDbSymbolTable", "70 1",
    "0 APPID", "5 12", "330 9", "100 AcDbSymbolTableRecord", "100 AcDbRegAppTableRecord", "2 ACAD", "70 0",
    "0 ENDTAB",
    "0 TABLE", "2 DIMSTYLE", "5 A", "330 0", "100 AcDbSymbolTable", "70 1", "100 AcDbDimStyleTable",
    "0 DIMSTYLE", "105 27", "330 A", "100 AcDbSymbolTableRecord", "100 AcDbDimStyleTableRecord", "2 STANDARD", "70 0",
    "0 ENDTAB",
    "0 TABLE", "2 BLOCK_RECORD", "5 1", "330 0", "100 AcDbSymbolTable", "70 2",
    "0 BLOCK_RECORD", "5 1F", "330 1", "100 AcDbSymbolTableRecord", "100 AcDbBlockTableRecord", "2 *Model_Space", "340 22",
    "0 BLOCK_RECORD", "5 1B", "330 1", "100 AcDbSymbolTableRecord", "100 AcDbBlockTableRecord", "2 *Paper_Space", "340 1E",
    "0 ENDTAB",
    "0 ENDSEC",
    "0 SECTION", "2 BLOCKS",
    "0 BLOCK", "5 20", "330 1F", "100 AcDbEntity", "8 0", "100 AcDbBlockBegin", "2 *Model_Space", "70 0",
    "10 0.0", "20 0.0", "30 0.0", "3 *Model_Space", "1 ",
    "0 ENDBLK", "5 21", "330 1F", "100 AcDbEntity", "8 0", "100 AcDbBlockEnd",
    "0 BLOCK", "5 1C", "330 1B", "100 AcDbEntity", "67 1", "8 0", "100 AcDbBlockBegin", "2 *Paper_Space", "70 0",
    "10 0.0", "20 0.0", "30 0.0", "3 *Paper_Space", "1 ",
    "0 ENDBLK", "5 1D", "330 1B", "100 AcDbEntity", "67 1", "8 0", "100 AcDbBlockEnd",
    "0 ENDSEC",
    "0 SECTION", "2 ENTITIES", "0 ENDSEC",
    "0 SECTION", "2 OBJECTS",
    "0 DICTIONARY", "5 C", "330 0", "100 AcDbDictionary", "281 1", "3 ACAD_GROUP", "350 D", "3 ACAD_LAYOUT", "350 1A",
    "0 DICTIONARY", "5 D", "102 {ACAD_REACTORS", "330 C", "102 }", "330 C", "100 AcDbDictionary", "281 1",
    "0 DICTIONARY", "5 1A", "102 {ACAD_REACTORS", "330 C", "102 }", "330 C", "100 AcDbDictionary", "281 1",
    "3 Layout1", "350 1E", "3 Model", "350 22",
    "0 LAYOUT", "5 22", "102 {ACAD_REACTORS", "330 1A", "102 }", "330 1A", "100 AcDbPlotSettings", "1 ", "2 none_device", "4 ",
    "6 ", "40 0.0", "41 0.0", "42 0.0", "43 0.0", "44 0.0", "45 0.0", "46 0.0", "47 0.0", "48 0.0", "49 0.0", "140 0.0",
    "141 0.0", "142 1.0", "143 1.0", "70 1712", "72 0", "73 0", "74 0", "7 ", "75 0", "147 1.0", "148 0.0", "149 0.0",
    "100 AcDbLayout", "1 Model", "70 1", "71 0", "10 0.0", "20 0.0", "11 420.0", "21 297.0", "12 0.0", "22 0.0", "32 0.0",
    "14 0.0", "24 0.0", "34 0.0", "15 0.0", "25 0.0", "35 0.0", "146 0.0", "13 0.0", "23 0.0", "33 0.0", "16 1.0",
    "26 0.0", "36 0.0", "17 0.0", "27 1.0", "37 0.0", "76 0", "330 1F",
    "0 LAYOUT", "5 1E", "102 {ACAD_REACTORS", "330 1A", "102 }", "330 1A", "100 AcDbPlotSettings", "1 ", "2 none_device", "4 ",
    "6 ", "40 0.0", "41 0.0", "42 0.0", "43 0.0", "44 0.0", "45 0.0", "46 0.0", "47 0.0", "48 0.0", "49 0.0", "140 0.0",
    "141 0.0", "142 1.0", "143 1.0", "70 688", "72 0", "73 0", "74 5", "7 ", "75 16", "147 1.0", "148 0.0", "149 0.0",
    "100 AcDbLayout", "1 Layout1", "70 1", "71 1", "10 0.0", "20 0.0", "11 420.0", "21 297.0", "12 0.0", "22 0.0", "32 0.0",
    "14 0.0", "24 0.0", "34 0.0", "15 0.0", "25 0.0", "35 0.0", "146 0.0", "13 0.0", "23 0.0", "33 0.0", "16 1.0",
    "26 0.0", "36 0.0", "17 0.0", "27 1.0", "37 0.0", "76 0", "330 1B",
    "0 ENDSEC",
    "0 EOF",
};

std::string prototype_text() {
    std::string text;
    for (const char* line : prototype_tags) {
        const char* space = std::strchr(line, ' ');
        text.append(line, static_cast<size_t>(space - line));
        text.push_back('\n');
        text.append(space + 1);
        text.push_back('\n');
    }
    return text;
}

}  // namespace

void Prototype::build(DrawingImpl& doc, DxfVersion version) {
    doc.m_name = "prototype";
    doc.m_source = prototype_text();
    DxfLoader loader(doc, doc.m_source, doc.m_name);
    // The text is ours and fixed; failing to read it is a defect of this file.
    if (!loader.load().ok()) std::abort();
    doc.m_version = version;
    if (version >= DxfVersion::R2007) doc.m_codec = dxf::TextCodec::utf8();
}

}  // namespace cadhost::db
