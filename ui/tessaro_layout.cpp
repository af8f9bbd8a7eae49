#include "ui/tessaro_layout.h"

#include "titles/title_options_view.h"
#include "ui/control_ids.h"
#include "ui/ui_scale.h"

namespace {

using K = ControlKind;

// Radio buttons stand 10 or 11 units apart inside their group box; the template gives the
// boxes, these positions follow from them.
constexpr LayoutEntry kLayout[] = {
    {kIdStep1, K::StepButton, "STEP1:読み込みフォルダ指定", {4, 3, 92, 14}},
    {kIdStep2, K::StepButton, "STEP2:ファイルの検索", {4, 20, 92, 14}},
    {kIdSourceFolder, K::FolderText, "", {98, 3, 159, 14}},
    {kIdStep3, K::StepButton, "STEP3:ファイルのExif解析", {98, 20, 92, 14}},
    {kIdSourceList, K::List, "", {3, 36, 254, 397}},
    {kIdStep4, K::StepButton, "STEP4:タイトル付与", {260, 3, 92, 14}},
    {kIdStep5, K::StepButton, "STEP5:コピー先のフォルダ指定", {260, 20, 92, 14}},
    {kIdStep6, K::StepButton, "STEP6:ファイルコピー開始", {371, 4, 92, 14}},
    {kIdDestinationFolder, K::FolderText, "", {354, 20, 225, 14}},
    {kIdResultList, K::List, "", {260, 36, 254, 397}},
    {kIdHelp, K::PushButton, "ヘルプ", {465, 4, 56, 14}},
    {kIdExit, K::PushButton, "終了", {523, 4, 56, 14}},
    {-1, K::Picture, "", {516, 36, 64, 27}, Picture::FirstLevelHeading},
    {-1, K::GroupBox, "①　撮影年", {517, 67, 62, 56}},
    {kYearWesternRadio, K::Radio, "西暦年", {522, 77, 54, 10}, Picture::None, true},
    {kYearDigitsRadio, K::Radio, "西暦数字", {522, 88, 54, 10}},
    {kYearEraRadio, K::Radio, "和暦", {522, 99, 54, 10}},
    {kYearBothRadio, K::Radio, "併記", {522, 110, 54, 10}},
    {-1, K::Picture, "", {516, 125, 64, 27}, Picture::SecondLevelHeading},
    {kFolder2DateCombo, K::Choice, "", {516, 154, 57, 14}},
    {kFolder2PlaceCombo, K::Choice, "", {523, 169, 57, 14}},
    {-1, K::GroupBox, "②　撮影月日", {516, 185, 64, 36}},
    {kDayJapaneseRadio, K::Radio, "日本語", {521, 195, 56, 10}, Picture::None, true},
    {kDayDigitsRadio, K::Radio, "数字", {521, 206, 56, 10}},
    {-1, K::GroupBox, "③　撮影場所", {516, 223, 64, 64}},
    {kFolderCountryRadio, K::Radio, "国", {521, 233, 56, 10}, Picture::None, true},
    {kFolderPrefectureRadio, K::Radio, "都道府県", {521, 243, 56, 10}},
    {kFolderMunicipalityRadio, K::Radio, "市区町村", {521, 253, 56, 10}},
    {kFolderDistrictRadio, K::Radio, "地区名", {521, 263, 56, 10}},
    {kFolderAllRadio, K::Radio, "すべて", {521, 273, 56, 10}},
    {-1, K::Picture, "", {516, 289, 64, 27}, Picture::FileNameHeading},
    {kFileCombo, K::Choice, "", {516, 318, 57, 14}},
    {kFilePlaceCombo, K::Choice, "", {522, 333, 57, 14}},
    {-1, K::GroupBox, "④　撮影時分", {516, 350, 64, 34}},
    {kHourJapaneseRadio, K::Radio, "日本語", {521, 360, 56, 10}, Picture::None, true},
    {kHourDigitsRadio, K::Radio, "数字", {521, 371, 56, 10}},
    {-1, K::GroupBox, "⑤　撮影場所", {516, 388, 64, 64}},
    {kFileCountryRadio, K::Radio, "国", {521, 398, 56, 10}, Picture::None, true},
    {kFilePrefectureRadio, K::Radio, "都道府県", {521, 408, 56, 10}},
    {kFileMunicipalityRadio, K::Radio, "市区町村", {521, 418, 56, 10}},
    {kFileDistrictRadio, K::Radio, "地区名", {521, 428, 56, 10}},
    {kFileAllRadio, K::Radio, "すべて", {521, 438, 56, 10}},
    {kIdPreview, K::Preview, "", {3, 435, 27, 21}},
    // The counter is wider than the template's, for "コピー 12345／12345"; the bar gives way.
    {kIdProgress, K::Progress, "", {33, 437, 160, 16}},
    {kIdCounter, K::CounterText, "", {196, 437, 84, 16}},
    {-1, K::Picture, "", {283, 440, 16, 11}, Picture::ArrowLeft},
    {kIdDivider, K::Divider, "", {300, 438, 28, 16}},
    {-1, K::Picture, "", {329, 440, 16, 11}, Picture::ArrowRight},
    {kIdImageButton, K::FaceButton, "写", {349, 438, 17, 14}},
    {kIdMapButton, K::FaceButton, "地", {368, 438, 17, 14}},
    {kIdServiceBadge, K::FaceButton, "", {387, 439, 60, 11}},
    {kIdResetOptions, K::PushButton, "初期設定", {449, 438, 64, 14}},
    {kIdHidden, K::FaceButton, "", {230, 21, 20, 12}},
};

} // namespace

std::span<const LayoutEntry> MainWindowLayout() {
    return kLayout;
}

int DialogUnitsToPixels(int units) {
    return (units * 3 + 1) / 2;
}

int DialogUnitsToPixels(int units, double scale) {
    return ScaledPixels(DialogUnitsToPixels(units), scale);
}
