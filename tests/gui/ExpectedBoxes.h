#pragma once
// The window's message boxes as the user must see them, written out independently of
// the program's own table.
#include "GuiTestSupport.h"

inline QString BoxNoArea() { return InfoBox("都道府県は１つ以上を選択してください。", "Error"); }
inline QString BoxFileInUse() {
  return InfoBox(
      "選択されたファイルが他のアプリケーションで使用中の為\n開くことができませんでした。",
      "Error");
}
inline QString BoxConfirmCancel() {
  return QuestionBox("取得処理を中断します。\nよろしいですか？", "中断確認", QMessageBox::Yes);
}
inline QString BoxConfirmClose() {
  return QuestionBox("取得処理の実行中ですが終了しますか？", "終了確認", QMessageBox::Yes);
}
inline QString BoxOpenFile() {
  return QuestionBox("店舗情報の取得が完了しました。\n保存したファイルを開きますか？", "処理確認",
                     QMessageBox::No);
}
inline QString BoxFileNotFound() {
  return InfoBox("該当するファイルが見つかりませんでした。", "Error");
}
inline QString BoxNoShops() {
  return InfoBox("該当する店舗情報は見つかりませんでした。", "検索終了");
}
inline QString BoxRunBrokeOff() {
  return InfoBox(
      "取得処理を最後まで実行できませんでした。\n保存したファイルには中断までの店舗情報が含まれてい"
      "ます。",
      "Error");
}
inline QString BoxUnreachable() {
  return InfoBox(
      "サイトへのアクセスができませんでした。\r\nしばらく時間を置いてから再度実行してください。",
      "Error");
}
