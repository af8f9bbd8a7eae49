#include "workflow/geocode_stopped_text.h"

#include "geocode/geocode_answer.h"

std::string GeocodeStoppedText(int result) {
    switch (result) {
    case kGeocodeUnavailable:
        return "内蔵の地名データを読み込めないため、撮影場所を調べられません。";
    case kGeocodeRefused:
        return "ジオコーディングサービスが要求を拒否しました。設定ファイルの ApiKey を"
               "確かめてください。この解析では、残りの写真の撮影場所を問い合わせません。";
    default:
        return "ジオコーディングサービスの利用上限を超えました。この解析では、残りの写真の"
               "撮影場所を問い合わせません。";
    }
}
