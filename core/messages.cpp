#include "core/messages.h"

namespace quorel::core {

std::u16string_view messageText(MessageId id) {
    switch (id) {
    case MessageId::MsgEnterTargetMass:
        return u"请输入所需配制溶液质量!";
    case MessageId::MsgEnterTargetPercent:
        return u"请输入所需配制溶液浓度!";
    case MessageId::MsgEnterConcentratePercent:
        return u"请输入浓溶液浓度!";
    case MessageId::MsgPercentTooHigh:
        return u"所需配制溶液浓度大于浓溶液浓度！这不可能,请重新输入！";
    case MessageId::MsgEnterConcentrateDensity:
        return u"请输入浓溶液的密度";
    case MessageId::MsgEnterSolventDensity:
        return u"请输入溶剂的密度";
    }
    return {};
}

std::u16string_view overflowReport() {
    return u"数值溢出：输入的数或计算的结果超出了可以计算的范围。请检查输入的数值。";
}

std::u16string_view messageTitle() {
    return u"注意";
}

} // namespace quorel::core
