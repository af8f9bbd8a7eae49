#include "platform/error_text.h"

#include <cerrno>
#include <cstring>

namespace {

const char* OurText(int error) {
    switch (error) {
    case ENOSPC:
        return "ディスクの空きがありません";
    case EDQUOT:
        return "ディスクの使用量の上限を超えました";
    case EACCES:
        return "アクセスが許可されていません";
    case EPERM:
        return "この操作は許可されていません";
    case EROFS:
        return "読み取り専用のディスクです";
    case ENOENT:
        return "ファイルまたはフォルダがありません";
    case EIO:
        return "ディスクの読み書きに失敗しました（入出力エラー）";
    case ENAMETOOLONG:
        return "名前が長すぎます";
    case EEXIST:
        return "同じ名前のものが既にあります";
    case EXDEV:
        return "別のディスクへは移せません";
    case ENOTDIR:
        return "フォルダではありません";
    case EISDIR:
        return "ファイルではなくフォルダです";
    case EMFILE:
    case ENFILE:
        return "開いているファイルが多すぎます";
    case ETIMEDOUT:
        return "応答がなく時間切れになりました";
    case ENODEV:
    case ENXIO:
        return "装置がありません（取り外されたかもしれません）";
    case EBUSY:
        return "使用中です";
    case EFBIG:
        return "ファイルが大きすぎます";
    case ELOOP:
        return "シンボリックリンクが多すぎるか、たどれないリンクです";
    case EINVAL:
        return "このディスクではできない操作です";
    case ENOTEMPTY:
        return "フォルダが空ではありません";
    case EOPNOTSUPP:
        return "このディスクでは使えない機能です";
    case ESTALE:
        return "ネットワーク上のファイルが無効になりました";
    case ENOMEM:
        return "メモリが足りません";
    default:
        return nullptr;
    }
}

} // namespace

std::string ErrorText(int error) {
    if (const char* ours = OurText(error)) {
        return ours;
    }
    // The GNU strerror_r, which may return its own static text instead of filling the buffer.
    char buffer[256];
    return strerror_r(error, buffer, sizeof buffer);
}
