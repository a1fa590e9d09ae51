// File: qarntash/transfer/dtu.h
//
// DTU: what every transfer unit carries. A transfer unit takes one client's figures (the source)
// to another client (the destination) for one tax year; tax year N runs from 6 April N-1 to
// 5 April N. The proprietor unit (proprietor_unit.h) and the partner unit (partner_unit.h) derive
// from it.
//
// The two references and the tax year identify the unit and are fixed when it is built: a unit can
// be copied into a new one but not assigned over.
//
// Layout: byte-packed, as the host programs read the fields directly; after the table of virtual
// functions (one pointer):
//   off size
//    0   5   source        PMCO_INT_REF
//    5   5   destination   PMCO_INT_REF
//   10   4   tax year      32-bit
#pragma once

#include <cstdint>

#include "platform/types.h"
#include "qarntash/export.h"

#pragma pack(push, 1)
class QARNTASH_API DTU {
 public:
  DTU(const PMCO_INT_REF& source, const PMCO_INT_REF& destination, long taxYear);
  DTU(const DTU&) = default;
  DTU& operator=(const DTU&) = delete;
  virtual ~DTU();

  // The client whose figures are transferred.
  const PMCO_INT_REF& GetSource() const { return m_Source; }
  // The client that receives them.
  const PMCO_INT_REF& GetDestination() const { return m_Destination; }
  long GetTaxYear() const { return m_TaxYear; }

 private:
  PMCO_INT_REF m_Source;
  PMCO_INT_REF m_Destination;
  std::int32_t m_TaxYear;
};
#pragma pack(pop)

// Bytes of a packed unit's table of virtual functions, before its first field.
constexpr std::size_t kTransferRecordVtableSize = sizeof(void*);
static_assert(sizeof(DTU) == kTransferRecordVtableSize + 14, "DTU fields are 14 packed bytes");
