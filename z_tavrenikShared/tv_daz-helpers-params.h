#pragma once

class DzProperty;

namespace tav::daz {

// Shows the host's Parameters pane and has it select the property's node, open its group and
// highlight its dial. Throws tav::Exception when the pane or its method cannot be reached.
void JumpToProperty(DzProperty* pProperty);

} // namespace tav::daz
