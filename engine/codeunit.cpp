#include "engine/codeunit.h"

#include <memory>

namespace {
std::vector<std::unique_ptr<ESCodeUnit>> &codeUnits()
{
    static std::vector<std::unique_ptr<ESCodeUnit>> units;
    return units;
}
} // namespace

quint32 registerCodeUnit(ESCodeUnit *unit)
{
    codeUnits().emplace_back(unit);
    return quint32(codeUnits().size() - 1);
}

ESCodeUnit *codeUnitAt(quint32 index)
{
    return index < codeUnits().size() ? codeUnits()[index].get() : nullptr;
}

quint32 codeUnitCount()
{
    return quint32(codeUnits().size());
}

void releaseCodeUnits()
{
    codeUnits().clear();
}
