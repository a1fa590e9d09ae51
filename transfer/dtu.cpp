#include "qarntash/transfer/dtu.h"

DTU::DTU(const PMCO_INT_REF& source, const PMCO_INT_REF& destination, long taxYear)
    : m_Source(source), m_Destination(destination), m_TaxYear(static_cast<std::int32_t>(taxYear)) {}

DTU::~DTU() = default;
