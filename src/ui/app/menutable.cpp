#include "ui/app/menutable.h"

namespace {

MenuEntry line()
{
    return {};
}

MenuEntry entry(const char *component, const char *caption, const char *logText = "",
                const char *openOnce = "")
{
    return {QString::fromUtf8(component), QString::fromUtf8(caption), QString::fromUtf8(logText),
            QString::fromUtf8(openOnce)};
}

MenuEntry hiddenEntry(const char *component, const char *caption, const char *logText = "")
{
    MenuEntry e = entry(component, caption, logText);
    e.hidden = true;
    return e;
}

} // namespace

const QList<MenuDefinition> &mainMenu()
{
    static const QList<MenuDefinition> menu = {
        {"mnPz", "帐务处理(&Z)", {
            entry("mnPzNew", "凭证录入", "进入录入凭证"),
            entry("mnPzFuhe", "凭证复核", "进入复核凭证", "pzsh1"),
            entry("mnPzDengzhang", "凭证登帐", "进入凭证登帐", "pzjz"),
            entry("N73", "结转损益", "进入结转损益", "jzsy"),
            line(),
            entry("mnPzKmTatal", "科目汇总", "", "kmhz1"),
            entry("mnPzPingHeng", "试算平衡", "", "phb1"),
            entry("N71", "凭证查询", "", "pzcx1"),
            line(),
            entry("mnPzMonthReC", "月末结帐", "进入月末结转"),
            line(),
            entry("N4", "反复核"),
            entry("N83", "反登帐", "进入反登帐"),
            entry("N84", "反结帐", "进入反结帐"),
            line(),
            entry("N6", "重排凭证号", "重排凭证号"),
        }},
        {"mnZb", "帐本查询(&B)", {
            entry("N85", "日记帐查询", "", "rjz1"),
            entry("N86", "明细帐查询", "", "mxz1"),
            entry("N87", "多栏帐查询", "", "dlz1"),
            entry("N88", "总帐查询", "", "zflz1"),
            line(),
            entry("mnOutReport", "会计报表管理", "进入会计报表", "baobiao1"),
        }},
        {"mnFzhs", "辅助核算(&F)", {
            entry("N91", "现金流量拆分", "进入现金流量拆分", "xjllgzdg1"),
            line(),
            entry("N93", "部门总帐", "", "bmzz1"),
            entry("N94", "部门明细", "", "bmmx1"),
            entry("N95", "部门科目总帐", "", "bmkmzz1"),
            entry("N96", "部门科目明细", "", "bmkmmx1"),
            line(),
            entry("N98", "项目总帐", "", "xmzz1"),
            entry("N99", "项目明细", "", "xmmx1"),
            entry("N100", "项目科目总帐", "", "xmkmzz1"),
            entry("N101", "项目科目明细", "", "xmkmmx1"),
        }},
        {"mnJczl", "基础资料(&J)", {
            entry("MenuItem18", "科目字典维护"),
            entry("MenuItem20", "科目年初数据", "进入年期初数据", "kmqc1"),
            line(),
            entry("MenuItem17", "凭证摘要"),
            entry("MenuItem19", "外币种类设置"),
            entry("MenuItem21", "部门编码维护"),
            entry("MenuItem22", "项目编码维护"),
            line(),
            entry("N3", "现金流量代码设置", "", "xjllzd"),
            entry("N90", "现金流量初值"),
        }},
        {"MenuItem39", "工资管理(&G)", {
            entry("MenuItem40", "工资数据录入", "进入工资录入"),
            entry("MenuItem41", "制作工资凭证", "进入制作工资凭证"),
            entry("MenuItem42", "打印工资条"),
            entry("MenuItem43", "工资发放表"),
            entry("MenuItem44", "工资汇总表"),
            entry("MenuItem45", "员工信息", "进入员工信息"),
            entry("MenuItem46", "工资项目", "进入工资项目"),
        }, true},
        {"MenuItem47", "固定资产(&A)", {
            entry("MenuItem48", "月计提折旧", "进入月末折旧"),
            entry("MenuItem49", "制作折旧凭证", "进入制作折旧凭证"),
            hiddenEntry("MenuItem52", "工作量录入"),
            entry("MenuItem55", "折旧查询（部门）"),
            entry("MenuItem56", "折旧查询（类别）"),
            entry("MenuItem57", "资产查询（部门）"),
            entry("MenuItem58", "资产查询（类别）"),
            hiddenEntry("MenuItem60", "工作量查询"),
            entry("MenuItem50", "反计提折旧", "进入反折旧"),
            entry("MenuItem53", "固定资产增加", "进入固资增加"),
            entry("MenuItem54", "固定资产减少", "进入固资减少"),
            entry("MenuItem59", "固定资产类别"),
            entry("MenuItem61", "增减方式"),
            entry("MenuItem62", "使用状况"),
        }},
        {"mnXtwh", "系统维护(&S)", {
            entry("MenuItem63", "数据备份"),
            entry("MenuItem64", "数据恢复"),
            line(),
            entry("MenuItem65", "操作员维护", "进入授权", "czyxx"),
            entry("MenuItem66", "修改密码", "进入修改密码"),
            entry("MenuItem67", "上机日志", "查看上机日志", "sjlog"),
            entry("MenuItem68", "帐套信息"),
            line(),
            entry("MenuItem69", "更换操作员"),
            line(),
            entry("mnNewZt", "建立新帐套"),
            entry("mnDelZt", "删除帐套"),
        }},
        {"mnHelp", "帮助(&H)", {
            entry("N150", "计算器", "", "calcu"),
            line(),
            entry("N109", "关于我们"),
            entry("N1", "澜序公司网站"),
        }},
    };
    return menu;
}

const MenuEntry *findMenuEntry(const QString &component)
{
    for (const MenuDefinition &menu : mainMenu()) {
        for (const MenuEntry &e : menu.entries) {
            if (!e.component.isEmpty() && e.component == component)
                return &e;
        }
    }
    return nullptr;
}
