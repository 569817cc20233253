#include "ui/skin/SkinDescription.h"

#include "ui/skin/SkinButton.h"

// Out of line, where the button class is complete.
SkinButtonSpec::SkinButtonSpec() = default;
SkinButtonSpec::~SkinButtonSpec() = default;
SkinButtonSpec::SkinButtonSpec(SkinButtonSpec&&) noexcept = default;
SkinButtonSpec& SkinButtonSpec::operator=(SkinButtonSpec&&) noexcept = default;
