// The texts the result table page and its file commands show: questions, messages,
// dialog filters and captions. One place, so the window and the tests use the same words.
#pragma once

namespace results {

// Store (the store image on the input page).
inline constexpr char kStoredMessage[] = "計算結果を表に記入しました。";
inline constexpr char kStoreFullQuestion[] =
    "計算結果表の50個の欄はすべて使われています。50番のデータを今回の結果で上書きしてよろしいですか？";

// Slot operations.
inline constexpr char kDeleteQuestion[] = "選択した(左にずれた)データを削除します。よろしいですか？";
inline constexpr char kDeleteHint[] = "選択（左にずれた）データを削除します。元にはもどりません。";
inline constexpr char kMoveHint[] = "データ位置を変更します。";
inline constexpr char kRenameHint[] = "部材名だけを変更します。";
inline constexpr char kMoveTarget[] = "\u3000移動先をクリックして下さい。"; // text of `idou`
// Retry while the input page holds a calculated result that was not stored.
inline constexpr char kRecallQuestion[] =
    "格納していない計算結果があります。呼び出すと消えてしまいます。よろしいですか？";
inline constexpr char kSelectAllHint[] = "全結果を選択します（印刷用）";
inline constexpr char kClearAllHint[] = "選択を解除します（印刷用）";

// Project file.
inline constexpr char kProjectFilter[] = "KovelFile(*.kvl)|*.kvl";
inline constexpr char kProjectExtension[] = ".kvl";
inline constexpr char kNewQuestion[] = "保存していないデータは消えてしまいます。新規に始めてよろしいですか？";
inline constexpr char kOpenQuestion[] = "結果表にあるデータは消えてしまいます。よろしいですか？";
inline constexpr char kOverwriteQuestion[] = "同じ名前のファイルが既にありますが上書きしますか?";
// Asked after the overwrite question when the file was changed on disk by someone else
// since this window opened or saved it.
inline constexpr char kChangedOnDiskQuestion[] =
    "このファイルは、呼び出した後（または保存した後）に、ほかのウィンドウやプログラムで変更されています。"
    "上書きすると、その変更は失われます。上書きしますか？";
inline constexpr char kSavedSuffix[] = ".kvl で保存されました"; // after the stripped name
inline constexpr char kCaptionPrefix[] = "KOVEL-";
inline constexpr char kNewCaption[] = "KOVEL-新規";
inline constexpr char kUnsavedMark[] = " *"; // after the caption while the table has unsaved changes
// The questions before new, open and exit while the table has unsaved changes.
inline constexpr char kUnsavedNewQuestion[] =
    "保存されていない計算結果があります。新規に始めると消えてしまいます。よろしいですか？";
inline constexpr char kUnsavedOpenQuestion[] =
    "保存されていない計算結果があります。呼び出すと消えてしまいます。よろしいですか？";
inline constexpr char kUnsavedExitQuestion[] =
    "保存されていない計算結果があります。終了すると消えてしまいます。よろしいですか？";
inline constexpr char kExitQuestion[] = "終了してよろしいですか？";

// Text export.
inline constexpr char kTextFilter[] = "TextFile(*.txt)|*.txt";
inline constexpr char kTextExtension[] = ".txt";
inline constexpr char kTextWrittenMessage[] = "テキストに出力しました。";

} // namespace results
