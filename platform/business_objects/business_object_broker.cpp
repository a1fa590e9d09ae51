// The stand-in's store of business objects: in memory, process-wide, guarded for safety although
// the screens call it from one thread only.
#include <map>
#include <mutex>
#include <utility>

#include "platform/uitf40_adjustment.h"

namespace Velmar::BusinessRules::Taxation {
namespace {

using BusinessTax::CUITF40AdjustmentTrades;
using BusinessTax::UITF40AdjustmentData;

struct Store {
  std::mutex mutex;
  std::map<PMCO_INT_REF, counted_ptr<CUITF40AdjustmentTrades>> partnerships;
  std::map<std::pair<PMCO_INT_REF, PMCO_INT_REF>, UITF40AdjustmentData> sole_traders;
};

Store& store() {
  static Store the_store;
  return the_store;
}

}  // namespace

counted_ptr<CUITF40AdjustmentTrades> CTaxBusinessObjectBroker::GetTradesUITF40(const PMCO_INT_REF& partnership) {
  std::lock_guard<std::mutex> lock(store().mutex);
  const auto found = store().partnerships.find(partnership);
  return found != store().partnerships.end() ? found->second : nullptr;
}

void CTaxBusinessObjectBroker::SetTradesUITF40(const PMCO_INT_REF& partnership,
                                               counted_ptr<CUITF40AdjustmentTrades> adjustment) {
  std::lock_guard<std::mutex> lock(store().mutex);
  if (adjustment) {
    store().partnerships[partnership] = std::move(adjustment);
  } else {
    store().partnerships.erase(partnership);
  }
}

bool CTaxBusinessObjectBroker::GetSoleTraderUITF40(const PMCO_INT_REF& client, const PMCO_INT_REF& business,
                                                   UITF40AdjustmentData& figures) {
  std::lock_guard<std::mutex> lock(store().mutex);
  const auto found = store().sole_traders.find({client, business});
  if (found == store().sole_traders.end()) return false;
  figures = found->second;
  return true;
}

void CTaxBusinessObjectBroker::SetSoleTraderUITF40(const PMCO_INT_REF& client, const PMCO_INT_REF& business,
                                                   const UITF40AdjustmentData& figures) {
  std::lock_guard<std::mutex> lock(store().mutex);
  store().sole_traders[{client, business}] = figures;
}

void CTaxBusinessObjectBroker::Clear() {
  std::lock_guard<std::mutex> lock(store().mutex);
  store().partnerships.clear();
  store().sole_traders.clear();
}

}  // namespace Velmar::BusinessRules::Taxation
