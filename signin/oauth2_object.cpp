#include "CCorvexOAuth2.h"

CCorvexOAuth2::CCorvexOAuth2() : m_pPkcePair(std::make_unique<CCorvexPkcePair>()) { m_pPkcePair->Generate(); }

CCorvexOAuth2::~CCorvexOAuth2() = default;
