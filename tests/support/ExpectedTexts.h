// The program's texts as the user must see them, typed out independently of the string
// table so that a wrong character there is caught.
#pragma once

#include <string>

struct ExpectedText {
    unsigned id;
    const wchar_t* text;
};

inline constexpr ExpectedText kExpectedTexts[] = {
    {102, L"无效的apk文件"},
    {103, L"无效的URI"},
    {104, L"安装文件的配置文件异常"},
    {105, L"您的手机系统版本低于软件所需版本"},
    {106, L"您的手机不支持共享属性"},
    {107, L"文件包名错误"},
    {108, L"更新不完整\xFF0C请重新卸载后再试"},  // full-width comma
    {109, L"缺少详情"},
    {110, L"未知错误"},
    {111, L"软件供应商冲突"},
    {112, L"文件认证编码错误"},
    {113, L"手机存储空间不足"},
    {114, L"无共享用户权限"},
    {115, L"文件认证不一致"},
    {116, L"APK文件的配置文件错误"},
    {117, L"APK文件有错(包名重复)"},  // ASCII parentheses
    {118, L"找不到设备"},
    {119, L"手机存储空间不足(APK解码失败)"},
    {120, L"目标已经存在"},
    {121, L"您的手机系统版本比软件所需版本高"},
    {122, L"APK无配置文件"},
    {123, L"文件未通过认证"},
    {124, L"CPU的ABI未协调错误"},
    {125, L"共享用户权限不完整"},
    {126, L"修复已安装的本程序失败"},
    {127, L"文件分析失败(无APK信息)"},
    {128, L"安装位置:"},  // ASCII colon
    {129, L"文件用户权限错误"},
    {130, L"文件分析时遇到未知错误"},
    {131, L"设备离线"},
    {132, L"存储空间不足"},
    {133, L"复制失败"},
    {134, L"非法的zip文件"},
    {135, L"手机版本太低"},
    {136, L"adb异常"},
    {138, L"仅用于测试"},
    {139, L"2.4以下固件将会被安装在手机"},
    {140, L"手机"},
    {141, L"SD卡"},
    {142, L"安装中..."},
    {193, L"尝试使用其它安装器安装解决问题"},
    {500, L"APK安装器"},
    {502, L"安装"},
    {509, L"请拖入一个apk格式的文件\xFF01"},  // full-width exclamation mark
    {510, L"安装成功\xFF0C%d秒后窗口关闭\x3002"},
    {511, L"未检测到设备\xFF0C请先将设备连接"},
    {516, L"大小\xFF1A%s"},  // full-width colon
    {517, L"版本\xFF1A%s"},
    {518, L"系统\xFF1A%s"},
    {521, L"显示权限"},
    {522, L"隐藏权限"},
    {525, L"设备已离线\xFF01"},
    {526, L"adb不存在\xFF01"},
    {527, L"设备正在启动\xFF0C请稍等\xFF01"},
    {528, L"设备正在恢复模式\xFF0C请退出再安装\xFF01"},
    {529, L"当前连接模式是WiFi模式\xFF0C已通过其它安装器进行安装\x3002"},
    {530, L"设备未授权\xFF0C请在手机上允许USB调试后再次点击安装\xFF01"},
    {531, L"设备等待授权\xFF0C请在手机上允许USB调试后再次点击安装\xFF01"},
    {532, L"设备正在连接\xFF0C请稍等后再次点击安装\xFF01"},
    {533, L"无权访问设备\xFF0C请检查USB驱动后再次点击安装\xFF01"},
    {534, L"设备状态异常\xFF0C请重新连接设备后再次点击安装\xFF01"},
    {535, L"安装成功\x3002"},
    {536, L"已交给其它安装器安装\x3002"},
};

inline std::wstring ExpectedTextFor(unsigned id)
{
    for (const ExpectedText& e : kExpectedTexts) {
        if (e.id == id) return e.text;
    }
    return std::wstring();
}
