#include "data/currentclaim.h"

#include "data/dictionary.h"

namespace data {

namespace {

ClaimData &current()
{
    static ClaimData claims;
    return claims;
}

}  // namespace

bool openClaimData(const QString &programDir, QString *error)
{
    ClaimData claims;
    const bool ok = loadClaimData(programDir, &claims, error);
    current() = std::move(claims);
    return ok;
}

void setCurrentClaimData(ClaimData claims)
{
    current() = std::move(claims);
}

void closeClaimData()
{
    current() = ClaimData();
}

const ClaimData &currentClaimData()
{
    return current();
}

QString valor_campo(const QString &codigo, int registro)
{
    return current().value(tabla_campos(), codigo, registro);
}

QString claimNumber(int registro)
{
    return valor_campo(kClaimNumberKey.toString(), registro);
}

}  // namespace data
