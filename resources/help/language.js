// Shows the page in the reader's language: the Chinese part on Chinese
// systems, the English part elsewhere. Without scripts both parts show,
// one after the other.
function showLanguage(language) {
    var english = document.getElementById("en");
    var chinese = document.getElementById("zh");
    if (!english || !chinese) return false;
    english.style.display = language == "zh" ? "none" : "block";
    chinese.style.display = language == "zh" ? "block" : "none";
    return false;
}
function readerLanguage() {
    var language = navigator.userLanguage || navigator.systemLanguage || navigator.browserLanguage ||
                   navigator.language || "";
    return language.toLowerCase().indexOf("zh") == 0 ? "zh" : "en";
}
// A link may ask for a language: page.htm#zh or page.htm#en.
function startPage() {
    var asked = location.hash == "#zh" || location.hash == "#en" ? location.hash.substring(1) : "";
    showLanguage(asked || readerLanguage());
}
