// Every plug-in exports its own MApiVersion, as the host's plug-in contract asks, so two loaded
// plug-ins define the same global. Under AddressSanitizer the host therefore reports only
// same-named globals of different sizes, which would be a real fault.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VORNEX_HOST_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VORNEX_HOST_ASAN 1
#endif

#ifdef VORNEX_HOST_ASAN
extern "C" const char* __asan_default_options() {
    return "detect_odr_violation=1";
}
#endif
