#include "menu_tree.h"

#include "web_addresses.h"

namespace {

using C = Command;

constexpr MenuEntry kOption[] = {
    {"Option_Ueditor", "编辑器设置", C::OptionUeditor},
    {"Option_auto_format", "自动格式化设置", C::OptionAutoFormat},
    {"Option_format", "格式化选项", C::OptionFormat},
    {"Option_Bar0", "-", C::Separator},
    {"Option_conversionFile", "简繁转换", C::OptionConversionFile},
    {"Option_redundantFile", "错误更正 冗余去除", C::OptionRedundantFile},
};

constexpr MenuEntry kTools[] = {
    {"mnuTools_calc", "计算器", C::StartCalculator},
    {"mnuTools_notepad", "记事本", C::StartTextEditor},
    {"mnuTools_cmd", "命令行", C::StartTerminal},
    {"mnuTools_Bar0", "-", C::Separator},
    {"mnuTools_web_pinyin", "汉字转拼音", C::OpenTools},
    {"mnuTools_web_ndb", "历史年代表", C::OpenTools},
    {"mnuTools_web_sjsj", "世界时间", C::OpenTools},
    {"mnuTools_web_wnl", "万年历", C::OpenTools},
    {"mnuTools_web_fh", "符号大全", C::OpenTools},
    {"mnuTools_web_youbian", "邮编区号", C::OpenTools},
    {"mnuTools_web_ip", "IP地址", C::OpenTools},
    {"mnuTools_web_yuansu", "元素周期表", C::OpenTools},
    {"mnuTools_web_html", "html代码转换", C::OpenTools},
    {"mnuTools_Bar1", "-", C::Separator},
    {"mnuTools_web_more", "更多工具", C::OpenTools},
};

constexpr MenuEntry kDict[] = {
    {"mnuDict_cd", "汉语词典", C::OpenDictionary}, {"mnuDict_cy", "成语词典", C::OpenDictionary},
    {"mnuDict_sc", "诗词大全", C::OpenDictionary}, {"mnuDict_bar0", "-", C::Separator},
    {"mnuDict_hy", "汉->英", C::OpenDictionary},   {"mnuDict_yh", "英->汉", C::OpenDictionary},
    {"mnuDict_bar1", "-", C::Separator},           {"mnuDict_hr", "汉->日", C::OpenDictionary},
    {"mnuDict_rh", "日->汉", C::OpenDictionary},   {"mnuDict_bar2", "-", C::Separator},
    {"mnuDict_hf", "汉->法", C::OpenDictionary},   {"mnuDict_fh", "法->汉", C::OpenDictionary},
};

constexpr MenuEntry kArticle[] = {
    {"mnuArticle_medium", "媒介", C::OpenArticle},
    {"mnuArticle_contribute", "投稿", C::OpenArticle},
};

constexpr MenuEntry kHelp[] = {
    {"mnuHelp_help", "Corvel软文编辑器 帮助", C::OpenHelp},
    {"mnuHelp_update", "软件下载及升级", C::OpenHelp},
    {"mnuHelp_bar0", "-", C::Separator},
    {"mnuHelp_about", "关于 Corvel软文编辑器", C::ShowAbout},
};

constexpr MenuDef kMenus[] = {
    {"Option", "选项", kOption},      {"mnuTools", "工具", kTools}, {"mnuDict", "资讯", kDict},
    {"mnuArticle", "软文", kArticle}, {"mnuHelp", "帮助", kHelp},
};

constexpr MenuEntry kBarCommands[] = {
    {"munLink_home", "Corvel官网  ", C::OpenHome},
    {"munLink_platform", "新闻发布平台" CORVEL_MAKER_DOMAIN " ", C::OpenHome},
};

}  // namespace

std::span<const MenuDef> menuBarMenus() { return kMenus; }
std::span<const MenuEntry> menuBarCommands() { return kBarCommands; }
