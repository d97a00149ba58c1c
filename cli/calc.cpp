// kovel-cli calc: one beam check from name=value lines, as the input page would do it.
#include "cli/cli.h"

#include "files/textfile.h"
#include "sections/fields.h"
#include "sections/namedlines.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

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
    const bool fromStdin = args.empty() || args[0] == "-";
    if (std::string error = fromStdin ? files::readStandardInput(data, files::kLargestBeamInput)
                                      : files::readFileBytes(args[0], data, files::kLargestBeamInput);
        !error.empty())
        return fail(error, 1);

    sections::NamedBeam beam;
    std::vector<std::string> warnings;
    if (std::string error = sections::readNamedLines(data, beam, &warnings); !error.empty())
        return fail(error, 2);
    for (const std::string &warning : warnings)
        std::fprintf(stderr, "kovel-cli calc: 警告: %s\n", warning.c_str());

    const sections::NamedCheck check = sections::checkNamedBeam(beam);
    for (const std::string &note : check.notes)
        std::fprintf(stderr, "kovel-cli calc: %s\n", note.c_str());
    if (!check.result)
        return fail(check.error, 1);
    std::string out;
    for (const auto &[name, value] : sections::resultFields(check)) {
        out += name;
        out += '=';
        out += value;
        out += '\n';
    }
    if (!check.resultNote.empty()) // the line the window adds to its finished message
        out += "note=" + check.resultNote + "\n";
    if (std::string error = files::writeStandardOutput(out); !error.empty())
        return fail(error, kOutputFailed);
    if (std::string error = files::finishStandardOutput(); !error.empty())
        return fail(error, kOutputFailed);
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
                       （角パイプは tf が板厚、丸パイプは B が外径、tf が板厚）。
                       作れない寸法（0以下、tw ≧ B、2tf ≧ H など）は断ります
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
                   計算できない部材（上向きの荷重で検定できないものなど）は OK. でない
                   ものとして次の部材に進みます。どの部材も計算できなければ最初の部材の
                   理由を書いて終わります。
  fbrule           許容応力度の基準 old | notice（既定 old）
                     old: 従来式 fb = 900Af/(lb・h)、上限 1.6 tf/cm2
                     notice: 告示1024号。F/1.5 を上限に fb1・fb2 の大きい方（H形鋼・
                       I形鋼・BH の強軸）。荷重面内に対称軸のない溝形鋼（強軸）と山形鋼は
                       fb2（h は荷重面内の脚、Af はもう一方の脚）。角パイプ・丸パイプ、
                       弱軸（山形鋼を除く）、直接入力・登録部材は F/1.5。たわみは
                       E = 205,000 N/mm2。せん断 τ = Q/Aw ≦ fs = F/(1.5√3) も検定します。
                       fb1 が0未満のときは「－」と出力し、fb は fb2 によります
  grade            鋼材。F は告示第2464号（平成12年建設省）により断面の最も厚い板
                   （tf と tw の厚い方、パイプは板厚）で決まります（N/mm2）:
                     板厚        40mm以下  40mm超75mm以下  75mm超100mm以下
                     SS400 SN400A SN400B SN400C SM400 SM400A SM400B SM400C
                     STK400 STKR400                  235  215  215
                     SS490                           275  255  255
                     SN490B SN490C SM490 SM490A SM490B SM490C SM490YA SM490YB
                     STK490 STKR490                  325  295  295
                     SM520 SM520B SM520C             355  335  325
                     BCR295 BCP235 BCP325            295, 235, 325（40mm以下のみ）
                   100mm を超える板（BCR・BCP は 40mm を超える板）は F を直接指定して
                   下さい。直接入力・登録部材は板厚が分からないため 40mm以下の値です
                   （既定 SN400B）
  F                基準強度 F (N/mm2) を直接指定し、そのまま使います（grade の代わり。
                   grade と F を両方書くと受け付けません）
  C                補正係数 C: auto（既定。lb ≧ Span のとき端モーメントから、ほかは 1）
                   か 1.0～2.3 の数字
  shear            1: せん断も検定する、0: しない（既定 1。direct と user は検定なし）

出力（成功したとき、終了コード 0）
  )" + sections::fieldNames(sections::FieldUse::Result, false) + R"(
  )" + sections::fieldNames(sections::FieldUse::Section, false) + R"(、続いて M0..M100（101点の曲げモーメント）の順に
  「名前=値」で1行ずつ。hantei は OK. か NG. です。Rdelta は上向きのたわみなら負、
  Rlx は L/|δ| です。
  fbrule=notice のときは hantei の後に )" + sections::fieldNames(sections::FieldUse::Result, true) + R"( が入ります
  （fb1, fb2, tau, fs は fb と同じ単位、ib は T 断面の断面二次半径 (cm)、Rshear は τ/fs。
  使わない値は空。せん断が NG. なら hantei も NG. です）。
  lb があるのに登録部材・直接入力の断面で横座屈を考慮しないとき、自動選択でどの部材も
  OK. にならなかったとき、自動選択で計算できない部材を飛ばしたとき、fbrule=notice で
  lb がスパン長さより長いとき、fb1 が0未満のとき、板厚が分からない断面に鋼材の F を
  使ったときは、最後に note= の行でそのことを書きます。
  数値の項目は全角の数字・小数点・符号も読みます。数字の後ろに文字がある値（1,500 や
  6m）は先頭の数字だけを読み、そのことを標準エラーに警告します。

エラー
  入力の誤り（知らない名前、「名前=値」でない行、0/1 以外のフラグなど）は行番号を付けて
  標準エラーに書き、終了コード 2 で終わります。スパン長さが0以下、断面二次モーメント・
  断面係数・許容曲げ応力度が0以下、lb が負、荷重がスパンの外にある（0 でない集中荷重の
  位置が 0 から Span の外、分布荷重の LD1 から LD1+LD2 が Span の外、LD2 が負）、
  上向きの荷重によるスパン内の負の曲げモーメントが設計曲げモーメントより大きい、
  大きすぎる数値、部材が見つからない、ファイルが読めない（通常のファイルでない、1 MB より
  大きい入力を含む）ときは理由を標準エラーに書き、終了コード 1 で終わります。
  結果を標準出力に書けなかったときは（ディスクの空きがない、標準出力が閉じているなど）、
  終了コード 3 です。
)";
}
