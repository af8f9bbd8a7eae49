#include "ui/compact_theme.h"

#include <gtk/gtk.h>
#include <wx/window.h>

namespace {

constexpr char kStyleClass[] = "tessaro-compact";

constexpr char kCompactCss[] = R"css(
.tessaro-compact button { min-height: 0; min-width: 0; padding: 0 4px; }
.tessaro-compact combobox button { padding: 0 2px 0 4px; }
.tessaro-compact combobox arrow { min-height: 8px; min-width: 8px; }
.tessaro-compact radiobutton { min-height: 0; padding: 0; }
.tessaro-compact radiobutton radio { min-height: 11px; min-width: 11px; margin: 0 3px 0 0; }
.tessaro-compact spinbutton, .tessaro-compact spinbutton entry { min-height: 0; min-width: 0; padding: 0; border-width: 0; }
.tessaro-compact spinbutton { color: transparent; caret-color: transparent; }
.tessaro-compact spinbutton button { min-height: 0; min-width: 0; padding: 0 1px; color: #2e3436; }
.tessaro-compact progressbar trough, .tessaro-compact progressbar progress { min-height: 14px; }
)css";

void InstallStyleOnce() {
    static bool installed = false;
    if (installed) {
        return;
    }
    installed = true;
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, kCompactCss, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
                                              GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
}

} // namespace

void UseCompactControls(wxWindow* window) {
    InstallStyleOnce();
    GtkWidget* widget = window->GetHandle();
    gtk_style_context_add_class(gtk_widget_get_style_context(widget), kStyleClass);
}
