#include "app/ListWindow.h"

namespace nevalon::app {
namespace {

std::vector<CountdownRow> rows;

} // namespace

void BuildListWindow()
{
    rows = CountdownRows();
}

const std::vector<CountdownRow>& ListRows()
{
    return rows;
}

} // namespace nevalon::app
