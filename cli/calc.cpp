// kovel-cli calc: one beam check from name=value lines, as the input page would do it.
#include "cli/cli.h"

#include "beam/analysis.h"
#include "beam/datafiles.h"
#include "beam/numtext.h"
#include "sections/catalogue.h"
#include "sections/computed.h"
#include "sections/members.h"
#include "sections/selection.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A data file as the window finds it: the working directory, the user's data folder,
// the installed data.
std::string dataFile(const char *relative)
{
    return beam::findDataFile(beam::dataFolders(), relative).path;
}

// Everything the input page holds that a calculation reads, with the start-up texts.
struct CalcInput {
    beam::InputTexts texts;
    std::string Bname = "B";
    std::string member = "H-100x50x5x7";
    bool memberGiven = false;
    sections::DimensionTexts dims{"100", "50", "5", "7"};
    bool design = false;
};

struct LineError {
    std::string message; // empty when the line was taken
};

using Setter = std::function<std::string(CalcInput &, const std::string &)>;

// Setters return an empty string or the reason the value is refused.
Setter text(std::string beam::InputTexts::*field)
{
    return [field](CalcInput &c, const std::string &v) {
        c.texts.*field = v;
        return std::string();
    };
}

Setter flag(bool beam::InputTexts::*field)
{
    return [field](CalcInput &c, const std::string &v) -> std::string {
        if (v == "0" || v == "1") {
            c.texts.*field = v == "1";
            return {};
        }
        return "値は 0 か 1 で指定して下さい。";
    };
}

Setter ignored()
{
    return [](CalcInput &, const std::string &) { return std::string(); };
}

const std::map<std::string, Setter> &setters()
{
    static const std::map<std::string, Setter> table = [] {
        std::map<std::string, Setter> t;
        using T = beam::InputTexts;
        t["Bname"] = [](CalcInput &c, const std::string &v) { c.Bname = v; return std::string(); };
        t["Span"] = text(&T::Span);
        t["lb"] = text(&T::lb);
        t["seigen1"] = text(&T::seigen1);
        t["seigen2"] = text(&T::seigen2);
        t["term"] = flag(&T::term);
        t["si"] = flag(&T::si);
        t["uniform"] = text(&T::uniform);
        t["shiki"] = ignored();
        for (int k = 0; k < beam::kPointLoads; ++k) {
            const std::string n = std::to_string(k + 1);
            t["p" + n] = [k](CalcInput &c, const std::string &v) { c.texts.p[k] = v; return std::string(); };
            t["pl" + n] = [k](CalcInput &c, const std::string &v) { c.texts.pl[k] = v; return std::string(); };
        }
        const char *const suffix[beam::kPartLoads] = {"a", "b", "c"};
        for (int j = 0; j < beam::kPartLoads; ++j) {
            const std::string s = suffix[j];
            t["w1" + s] = [j](CalcInput &c, const std::string &v) { c.texts.w1[j] = v; return std::string(); };
            t["w2" + s] = [j](CalcInput &c, const std::string &v) { c.texts.w2[j] = v; return std::string(); };
            t["ld1" + s] = [j](CalcInput &c, const std::string &v) { c.texts.ld1[j] = v; return std::string(); };
            t["ld2" + s] = [j](CalcInput &c, const std::string &v) { c.texts.ld2[j] = v; return std::string(); };
            t["ld3" + s] = ignored(); // kept equal to L - LD1 - LD2 by the page; not read
        }
        t["support"] = [](CalcInput &c, const std::string &v) -> std::string {
            if (std::optional<beam::Support> s = beam::supportFromName(v)) {
                c.texts.support = *s;
                return {};
            }
            return "支持条件は pinpin、pinkotei、koteikotei、jiyuukotei のどれかで指定して下さい。";
        };
        t["jijuucheck"] = flag(&T::jijuucheck);
        t["family"] = [](CalcInput &c, const std::string &v) -> std::string {
            if (std::optional<beam::Family> f = beam::familyFromCode(v)) {
                c.texts.family = *f;
                return {};
            }
            return "断面の種類は HW、HM、HN、C、L、I、BH、kaku、maru、direct、user のどれかで指定して下さい。";
        };
        t["member"] = [](CalcInput &c, const std::string &v) {
            c.member = v;
            c.memberGiven = true;
            return std::string();
        };
        t["inertia"] = text(&T::inertia);
        t["modulus"] = text(&T::modulus);
        t["selfw"] = text(&T::selfw);
        t["weak"] = flag(&T::weak);
        t["H"] = [](CalcInput &c, const std::string &v) { c.dims.H = v; return std::string(); };
        t["B"] = [](CalcInput &c, const std::string &v) { c.dims.B = v; return std::string(); };
        t["tw"] = [](CalcInput &c, const std::string &v) { c.dims.tw = v; return std::string(); };
        t["tf"] = [](CalcInput &c, const std::string &v) { c.dims.tf = v; return std::string(); };
        t["si157"] = flag(&T::si157);
        t["design"] = [](CalcInput &c, const std::string &v) -> std::string {
            if (v == "0" || v == "1") {
                c.design = v == "1";
                return {};
            }
            return "値は 0 か 1 で指定して下さい。";
        };
        return t;
    }();
    return table;
}

std::string trimmed(const std::string &s)
{
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const std::size_t last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// Parses the whole input; the first faulty line gives an error naming it.
std::string parseInput(const std::string &data, CalcInput &c)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= data.size()) {
        std::size_t end = data.find('\n', start);
        if (end == std::string::npos)
            end = data.size();
        std::string line = data.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    if (!lines.empty() && lines[0].rfind("\xEF\xBB\xBF", 0) == 0)
        lines[0].erase(0, 3); // byte order mark

    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string &line = lines[n];
        const std::string t = trimmed(line);
        if (t.empty() || t[0] == '#')
            continue;
        const std::string where = std::to_string(n + 1) + "行目「" + line + "」: ";
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            return where + "「名前=値」の形で書いて下さい。";
        const std::string name = trimmed(line.substr(0, eq));
        const std::string value = line.substr(eq + 1);
        const auto it = setters().find(name);
        if (it == setters().end())
            return where + "「" + name + "」という入力項目はありません。";
        if (std::string why = it->second(c, value); !why.empty())
            return where + why;
    }
    return {};
}

bool isCatalogueFamily(beam::Family f)
{
    switch (f) {
    case beam::Family::HW:
    case beam::Family::HM:
    case beam::Family::HN:
    case beam::Family::C:
    case beam::Family::L:
    case beam::Family::I:
        return true;
    default:
        return false;
    }
}

// Fills the section fields from the chosen source, as the section group of the input
// page does. Returns an error text when the section cannot be had.
std::string resolveSection(CalcInput &c)
{
    beam::InputTexts &t = c.texts;
    const beam::Family family = t.family;
    if (isCatalogueFamily(family)) {
        // Choosing a family without naming a member takes the first item of its list.
        if (!c.memberGiven && family != beam::Family::HN)
            c.member = sections::familyDesignations(family).front();
        const std::string catalogue = dataFile(sections::kCatalogueFile);
        const sections::LookupOutcome look = sections::lookupMember(catalogue, c.member, t.weak);
        if (!look.texts)
            return look.error;
        if (!look.found)
            return std::string("部材「") + c.member + "」は部材リスト（" + catalogue + "）にありません。";
        t.selfw = look.texts->selfw;
        t.inertia = look.texts->inertia;
        t.modulus = look.texts->modulus;
        t.H1 = look.texts->H1;
        t.B1 = look.texts->B1;
        t.tf1 = look.texts->tf1;
        return {};
    }
    switch (family) {
    case beam::Family::BH:
    case beam::Family::Kaku:
    case beam::Family::Maru: {
        const sections::ComputedSection s = sections::computeSection(family, c.dims, t.weak);
        if (!s.error.empty())
            return s.error;
        c.member = *s.member;
        t.inertia = s.inertia;
        t.modulus = s.modulus;
        t.selfw = s.selfw;
        t.H1 = s.H1;
        t.B1 = s.B1;
        t.tf1 = s.tf1;
        return {};
    }
    case beam::Family::User: {
        const std::string members = dataFile(sections::kMemberFile);
        const sections::MemberLoad load = sections::loadMembers(members);
        if (!load.error.empty())
            return load.error;
        if (!c.memberGiven)
            c.member = load.list.userlistText;
        if (load.list.count == 0)
            return std::string("登録部材がありません（") + members + "）。";
        const std::optional<sections::MemberChoice> choice = sections::chooseMember(load.list, c.member, t.weak);
        if (!choice)
            return "登録部材「" + c.member + "」はありません。";
        c.member = choice->member;
        t.selfw = choice->selfw;
        t.inertia = choice->inertia;
        t.modulus = choice->modulus;
        return {}; // H1, B1, tf1 keep their texts; registered members use the basic fb
    }
    default: // direct input: the typed texts as they stand
        return {};
    }
}

void printResult(const beam::ResultTexts &r, const std::string &member, const beam::InputTexts &t)
{
    std::string out;
    auto line = [&out](const char *name, const std::string &value) {
        out += name;
        out += '=';
        out += value;
        out += '\n';
    };
    line("RQa", r.RQa);
    line("RQb", r.RQb);
    line("RMmax", r.RMmax);
    line("RMmaxl", r.RMmaxl);
    line("Mcent", r.Mcent);
    line("Menda", r.Menda);
    line("Mendb", r.Mendb);
    line("Rdelta", r.Rdelta);
    line("Rlx", r.Rlx);
    line("Rfb", r.Rfb);
    line("RSigmab", r.RSigmab);
    line("Rratio", r.Rratio);
    line("hantei", r.hantei);
    line("member", member);
    line("inertia", t.inertia);
    line("modulus", t.modulus);
    line("selfw", t.selfw);
    for (int i = 0; i < beam::kStations; ++i)
        line(("M" + std::to_string(i)).c_str(), r.Mgrid[i]);
    std::fwrite(out.data(), 1, out.size(), stdout);
}

int fail(const std::string &message, int status)
{
    std::fprintf(stderr, "kovel-cli calc: %s\n", message.c_str());
    return status;
}

} // namespace

int runCalc(int argc, char **argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(calcHelp().c_str(), stdout);
        return 0;
    }
    if (args.size() > 1)
        return fail("入力ファイルは1つだけ指定して下さい。使い方: kovel-cli calc [FILE]", 2);

    std::string data;
    if (args.empty() || args[0] == "-") {
        data.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    } else {
        std::ifstream file(args[0], std::ios::binary);
        if (!file)
            return fail("ファイル「" + args[0] + "」を開けません。", 1);
        data.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        if (file.bad())
            return fail("ファイル「" + args[0] + "」を読めません。", 1);
    }

    CalcInput c;
    if (std::string error = parseInput(data, c); !error.empty())
        return fail(error, 2);

    // Like the calculate image: nothing is calculated without a positive span.
    const double span = beam::parseDouble(c.texts.Span);
    if (!std::isfinite(span))
        return fail("「スパン長さ」の値が大きすぎます。数字を確認して下さい。", 1);
    if (!(span > 0))
        return fail("スパン長さが0以下です。計算しません。", 1);

    if (c.design) {
        const std::string catalogue = dataFile(sections::kCatalogueFile);
        const sections::SelectionOutcome s = sections::selectSize(c.texts, catalogue);
        if (s.switchedToNarrow)
            std::fputs("kovel-cli calc: 自動選択は細幅H形鋼（HN）で行います。\n", stderr);
        if (!s.error.empty())
            return fail(s.error, 1);
        if (s.checked == 0 || !s.result)
            return fail("部材リスト（" + catalogue + "）に " + s.familyCode +
                            " の部材がありません。",
                        1);
        beam::InputTexts shown = c.texts;
        shown.inertia = s.inertia;
        shown.modulus = s.modulus;
        shown.selfw = s.selfw;
        printResult(*s.result, s.member, shown);
        return 0;
    }

    if (std::string error = resolveSection(c); !error.empty())
        return fail(error, 1);
    const beam::CheckOutcome check = beam::runCheck(c.texts);
    if (!check.result)
        return fail(check.error, 1);
    printResult(*check.result, c.member, c.texts);
    return 0;
}

std::string calcHelp()
{
    return R"(kovel-cli calc [FILE]
  梁を1本計算し、入力画面の結果欄と同じ文字列を「名前=値」の行で出力します。
  FILE を省略するか - を指定すると標準入力から読みます。

入力（UTF-8、1行に「名前=値」を1つ。空行と # で始まる行は読み飛ばします）
  値は入力欄に打ち込む文字列そのままです。書かなかった項目は起動時の値のままです。
  Bname            部材名（既定 B、出力しません）
  Span             スパン長さ (m)（既定 0.00。0以下なら計算しません）
  lb               圧縮フランジの横補剛間隔 lb (m)（既定 0.00）
  seigen1          たわみ制限 L／n の n（既定 300）
  seigen2          たわみ制限 (cm)（既定 2.0、0 か空で無効）
  term             1: 短期荷重として計算する（既定 0）
  si               1: SI単位 kN、0: tf（既定 1）
  si157            1: SI の許容応力度を 157 MPa、0: 156.906 MPa で計算（既定 0）
  uniform          等分布荷重 (kN/m または tf/m)
  shiki            等分布荷重の計算式（読み飛ばします）
  p1..p8           集中荷重 (kN または tf)
  pl1..pl8         集中荷重の位置、A端から (m)
  w1a w1b w1c      任意形分布荷重 a, b, c の始まりの強さ w1 (kN/m または tf/m)
  w2a w2b w2c      同じく終わりの強さ w2
  ld1a ld1b ld1c   A端から載荷の始まりまで LD1 (m)
  ld2a ld2b ld2c   載荷長さ LD2 (m)（0 ならその荷重は無視されます）
  ld3a ld3b ld3c   載荷の終わりからB端まで（読み飛ばします）
  support          支持条件 pinpin | pinkotei | koteikotei | jiyuukotei（既定 pinpin）
  jijuucheck       1: 自重を自動計算する（既定 1）
  family           断面の種類（既定 HN）
                     HW 広幅H形鋼, HM 中幅H形鋼, HN 細幅H形鋼, C 溝形鋼, L 山形鋼, I I形鋼:
                       member を shape/buzai.txt で探し、selfw, inertia, modulus と
                       H, B, tf を部材リストの値にします（member を書かなければ
                       その種類のリストの最初の部材。HN では H-100x50x5x7）
                     BH, kaku, maru: H, B, tw, tf (mm) から断面性能と部材名を計算します
                       （角パイプは tf が板厚、丸パイプは B が外径、tf が板厚）
                     direct: member, inertia, modulus, selfw を書いたとおりに使います
                     user: member を shape/ubuzai.txt の登録部材から選びます
                       （member を書かなければ最初の登録部材）
  member           部材名（既定 H-100x50x5x7）
                   family が direct 以外なら inertia, modulus, selfw は部材から決まり、
                   書いた値は使いません。
  inertia          断面二次モーメント (cm4)（既定 187）
  modulus          断面係数 (cm3)（既定 37.5）
  selfw            部材自重 (kg/m)（既定 9.3）
  weak             1: 弱軸で計算（既定 0）
  H B tw tf        BH, kaku, maru の寸法 (mm)（既定 100, 50, 5, 7）
  design           1: サイズ自動選択。family の種類（HW, HM, HN, C。ほかの種類なら HN）
                   を小さい順に計算し、最初に OK. となった部材の結果を出力します。
                   どれも OK. にならなければ最大の部材の NG. の結果です。弱軸は使いません。

出力（成功したとき、終了コード 0）
  RQa RQb RMmax RMmaxl Mcent Menda Mendb Rdelta Rlx Rfb RSigmab Rratio hantei
  member inertia modulus selfw、続いて M0..M100（101点の曲げモーメント）の順に
  「名前=値」で1行ずつ。hantei は OK. か NG. です。

エラー
  入力の誤り（知らない名前、「名前=値」でない行、0/1 以外のフラグなど）は行番号を付けて
  標準エラーに書き、終了コード 2 で終わります。スパン長さが0以下、断面二次モーメント・
  断面係数・許容曲げ応力度が0以下、lb が負、荷重がスパンの外にある（0 でない集中荷重の
  位置が 0 から Span の外、分布荷重の LD1 から LD1+LD2 が Span の外、LD2 が負）、
  上向きの荷重による負の曲げモーメントや上向きのたわみが検定に取り込まれる値より大きい、
  大きすぎる数値、部材が見つからない、ファイルが読めないときは理由を標準エラーに書き、
  終了コード 1 で終わります。
)";
}
