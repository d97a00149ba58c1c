// What the result table page shows for one slot (the show-slot operation), and the
// reaction list of the input page. Plain texts; the window puts them into its controls.
#pragma once

#include "beam/canvas.h"
#include "results/table.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace results {

// The unit captions of the result table page, chosen by field 6.
struct UnitCaptions {
    bool si = true;
    std::string Label70;           // unit of the largest moment: "(kN-m)" / "(tf-m)"
    std::string Label71, Label72;  // units of the reactions: "(kN)" / "(tf)"
    std::string Label75, Label76;  // units of the two stresses: "(kN/cm2)" / "(tf/cm2)"
    std::string Label81;           // unit of the uniform load: "(kN/m)" / "(tf/m)"
    std::string Label83;           // point-load column head "Pi(kN)" / "Pi(tf)"; keeps its colour
    std::string Label86, Label87;  // part-span column heads "w1(kN/m)", "w2(kN/m)" / tf
    beam::Rgb colour;              // navy in SI, red in traditional units
};

// SI captions for any field 6 text but "従来単位".
UnitCaptions unitCaptions(const std::string &unitField);

// The display controls of the page for one slot, named as on the page.
struct SlotView {
    std::string listspan, listlb, listseigen1, listseigen2; // fields 7..10
    std::string calcunit;                                    // field 6
    UnitCaptions units;
    std::optional<std::string> listcond; // support picture file in `shapepath`; nothing: unchanged
    std::string listweak, listterm;      // "弱軸で検定"/"強軸で検定", "短期荷重として計算"/"長期荷重として計算"
    std::string listuniform, listshiki;  // fields 11, 12
    std::string listjijuu;               // "自重を自動計算する" / "自重を自動計算しない"
    std::array<std::string, 8> listp, listpl;                      // fields 14..29
    std::array<std::string, 3> listw1, listw2;                     // fields 30..35
    std::array<std::string, 3> listld1, listld2, listld3;          // fields 36..44
    std::string listtype, listmember;                              // fields 45, 46
    std::string listMmax, listMmaxl, listsigmab, listfb;           // fields 54..57
    std::string listratio, listQa, listQb, listdelta, listlx, listhantei; // fields 59..64
    bool drawDiagrams = false;  // field 7 not empty: draw both diagrams, show "A" and "B"
    std::string listkajuuzuL;   // span label under the load diagram (empty when not drawn)
    std::string Menda1, Mendb1; // end moments "##0.000", empty when 0 or not drawn
    std::string Mcent1;         // field 58, empty for the cantilever or when not drawn
};

// Show-slot: what the page shows for slot `slot` (0 or a free slot: empty texts).
SlotView slotView(const Table &table, int slot);

// One row of the reaction list: beam name, Q(A), Q(B) as stored, and their force unit as
// the slot's unit field gives it ("kN" or "tf", as page 2 reads it).
struct ReactionRow {
    std::string name, Qa, Qb, unit;
};

// The reaction list rows of slots 1..datano (the header row "Qa", "Qb" is the window's).
std::vector<ReactionRow> reactionRows(const Table &table);

// True when the slot is in use and its verdict (field 64) is "NG.".
bool slotFails(const Table &table, int slot);

} // namespace results
