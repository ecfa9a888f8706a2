#pragma once

// Error texts of the receiving service, as the user reads them after the
// program's own prefixes.
namespace vostrel::pop3::texts {

inline constexpr char kNotConnected[] = "还没有连接到服务器。";
inline constexpr char kStatRefused[] = "获取邮件信息错误。";
inline constexpr char kStatOther[] = "未知异常2.";
inline constexpr char kNoSuchMail[] = "没有这封邮件。";
inline constexpr char kListOther[] = "未知异常3.";

inline constexpr char kBadAddress[] = "服务器地址无效。";
inline constexpr char kConnectTimeout[] = "连接服务器超时。";
inline constexpr char kConnectFailed[] = "无法连接到服务器。";
inline constexpr char kServerClosed[] = "服务器断开了连接。";
inline constexpr char kServerRejected[] = "服务器拒绝了连接。";
inline constexpr char kBadReply[] = "服务器应答错误。";
inline constexpr char kLoginRefused[] = "用户名或密码错误。";
inline constexpr char kBadCredentials[] = "用户名或密码含有无效字符。";
inline constexpr char kIdFailed[] = "获取邮件标识失败。";
inline constexpr char kRetrieveFailed[] = "下载邮件失败。";
inline constexpr char kRetrieveTimeout[] = "下载邮件超时。";
inline constexpr char kRetrieveClosed[] = "下载邮件时服务器断开了连接。";
inline constexpr char kLineTooLong[] = "服务器发送的行过长。";
inline constexpr char kCancelled[] = "下载已取消。";

}  // namespace vostrel::pop3::texts
