#pragma once
// The window's message boxes: texts, captions, buttons, icons and default buttons.
#include "ui/Dialogs.h"

namespace Msg {

inline TMessageRequest Info(const char* text, const char* caption) {
  return {QString::fromUtf8(text), QString::fromUtf8(caption), QMessageBox::Ok,
          QMessageBox::Information, QMessageBox::Ok};
}

inline TMessageRequest Question(const char* text, const char* caption,
                                QMessageBox::StandardButton defaultButton) {
  return {QString::fromUtf8(text), QString::fromUtf8(caption), QMessageBox::Yes | QMessageBox::No,
          QMessageBox::Question, defaultButton};
}

inline TMessageRequest NoAreaSelected() {
  return Info("都道府県は１つ以上を選択してください。", "Error");
}
inline TMessageRequest FileInUse() {
  return Info("選択されたファイルが他のアプリケーションで使用中の為\n開くことができませんでした。",
              "Error");
}
inline TMessageRequest ConfirmCancel() {
  return Question("取得処理を中断します。\nよろしいですか？", "中断確認", QMessageBox::Yes);
}
inline TMessageRequest ConfirmClose() {
  return Question("取得処理の実行中ですが終了しますか？", "終了確認", QMessageBox::Yes);
}
inline TMessageRequest OfferOpenFile() {
  return Question("店舗情報の取得が完了しました。\n保存したファイルを開きますか？", "処理確認",
                  QMessageBox::No);
}
inline TMessageRequest FileNotFound() {
  return Info("該当するファイルが見つかりませんでした。", "Error");
}
inline TMessageRequest NoShopsFound() {
  return Info("該当する店舗情報は見つかりませんでした。", "検索終了");
}
inline TMessageRequest RunBrokeOff() {
  return Info(
      "取得処理を最後まで実行できませんでした。\n保存したファイルには中断までの店舗情報が含まれてい"
      "ます。",
      "Error");
}
inline TMessageRequest PortalUnreachable() {
  return Info(
      "サイトへのアクセスができませんでした。\r\nしばらく時間を置いてから再度実行してください。",
      "Error");
}

}  // namespace Msg
