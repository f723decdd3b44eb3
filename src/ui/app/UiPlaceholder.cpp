// The widget layer starts empty; its windows arrive subsystem by subsystem.
namespace { [[maybe_unused]] int g_nUiPlaceholder = 0; }
