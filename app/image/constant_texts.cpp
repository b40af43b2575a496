#include "app/image/image_sources.h"

// The application's constant texts, in the program's code page.
const ConstantText kAppConstantTexts[] = {
    {"kProgramName", "Reelscout"},
    // The start-up warning: the author and the contact number are fictitious.
    {"kWarningTitle", "警告"},
    {"kWarningText",
     "本软件作者：陈远帆。不得进行任何商业化，只供交流和学习，对于本软件产生的版权问题作者概不负责。"
     "检索的ID不要超过50000。软件本身有很多bug来不及修复，大家觉得软件可以做的更好可以支持下我，"
     "联系电话：000-0000-0000。让我有做得更好的动力"},
    // The scan.
    {"kSiteHostDefault", "127.0.0.1:8642"},
    {"kHttpPrefix", "http://"},
    {"kMoviePath", "/movie/"},
    {"kUtf8", "UTF-8"},
    {"kGbk", "GBK"},
    {"kLinkPattern", "thunder:..[^\\s]*"},
    {"kTitleStart", "<title>"},
    {"kTitleEnd", "</title>"},
    {"kLogIdPrefix", ": 序号为"},
    {"kLogLinkFound", " 的文件链接获取成功！"},
    {"kLogNoLink", " 的文件获取信息失败！"},
    {"kCrLf", "\r\n"},
    {"kRangeRefused", "请输入合适的范围！"},
    {"kSummaryStart", "所有链接获取完成！一共遍历"},
    {"kSummaryMiddle", "条信息，其中可用链接"},
    {"kSummaryEnd", "条！"},
    {"kSummaryTitle", "完成！"},
    {"kSlash", "/"},
    // The download hand-off.
    {"kAgentProgId", "ThunderAgent.Agent.1"},
    {"kAddTask", "AddTask"},
    {"kCommitTasks", "CommitTasks2"},
    {"kVideoSuffix", ".mp4"},
    // Saving the list.
    {"kSaveFailedTitle", "保存失败"},
    {"kSaveFailedStart", "列表没有保存：无法写入文件“"},
    {"kSaveFailedEnd", "”。原有的文件保持不变。"},
    // The search window's result area.
    {"kSearchNothing", "没有找到匹配的行。"},
    {"kSearchNoText", "请先输入要搜索的内容。"},
    {"kSearchEmptyFile", "所选文件为空或无法读取。"},
    {"kSearchBadPattern", "表达式有误，无法搜索。"},
    {"kSearchStopped", "表达式过于复杂，搜索已中止。"},
    {"kSearchMoreStart", "……另有"},
    {"kSearchMoreEnd", "行没有显示。"},
    {nullptr, nullptr},
};
