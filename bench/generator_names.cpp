#include "bench/generator_names.h"

#include <algorithm>
#include <string>
#include <vector>

namespace korvane::bench {
namespace {

constexpr std::string_view kSurnames[] = {
    "Müller",     "Schmidt",     "Schneider",  "Fischer",    "Weber",        "Meyer",
    "Wagner",     "Becker",      "Schulz",     "Hoffmann",   "Schäfer",      "Koch",
    "Bauer",      "Richter",     "Klein",      "Wolf",       "Schröder",     "Neumann",
    "Schwarz",    "Zimmermann",  "Braun",      "Krüger",     "Hofmann",      "Hartmann",
    "Lange",      "Schmitt",     "Werner",     "Schmitz",    "Krause",       "Meier",
    "Lehmann",    "Schmid",      "Schulze",    "Maier",      "Köhler",       "Herrmann",
    "König",      "Walter",      "Mayer",      "Huber",      "Kaiser",       "Fuchs",
    "Peters",     "Lang",        "Scholz",     "Möller",     "Weiß",         "Jung",
    "Hahn",       "Schubert",    "Vogel",      "Friedrich",  "Keller",       "Günther",
    "Frank",      "Berger",      "Winkler",    "Roth",       "Beck",         "Lorenz",
    "Baumann",    "Franke",      "Albrecht",   "Schuster",   "Simon",        "Ludwig",
    "Böhm",       "Winter",      "Kraus",      "Martin",     "Schumacher",   "Krämer",
    "Vogt",       "Stein",       "Jäger",      "Otto",       "Sommer",       "Groß",
    "Seidel",     "Heinrich",    "Brandt",     "Haas",       "Schreiber",    "Graf",
    "Schulte",    "Dietrich",    "Ziegler",    "Kuhn",       "Kühn",         "Pohl",
    "Engel",      "Horn",        "Busch",      "Bergmann",   "Thomas",       "Voigt",
    "Sauer",      "Arnold",      "Wolff",      "Pfeiffer",   "Ernst",        "Lindner",
    "Hübner",     "Kramer",      "Franz",      "Jansen",     "Peter",        "Hammer",
    "Günter",     "Götz",        "Schütz",     "Thiel",      "Fröhlich",     "Haase",
    "Brinkmann",  "Schwab",      "Hermann",    "Kruse",      "Böttcher",     "Schindler",
    "Wendt",      "Uhlig",       "Hempel",     "Löffler",    "Nagel",        "Rausch",
    "Stahl",      "Bader",       "Brückner",   "Reuter",     "Reinhardt",    "Kunz",
    "Ebert",      "Schilling",   "Friedrichs", "Ritter",     "Wenzel",       "Berg",
    "Kolb",       "Kluge",       "Marx",       "Geiger",     "Heinz",        "Sander",
    "Kirchner",   "Dörr",        "Petersen",   "Schenk",     "Engelhardt",   "Rudolph",
    "Weiss",      "Schade",      "Oswald",     "Thiele",     "Pietsch",      "Wiegand",
    "Mertens",    "Gerlach",     "Weidner",    "Barth",      "Hauser",       "Kurz",
    "Ulrich",     "Busse",       "Maurer",     "Köster",     "Dittrich",     "Freitag",
    "Bock",       "Jahn",        "Göbel",      "Seifert",    "Ott",          "Schmidtke",
    "Hanke",      "Brenner",     "Schott",     "Pfaff",      "Wirth",        "Stoll",
    "Heller",     "Haag",        "Held",       "Merkel",     "Fritsch",      "Greiner",
    "Schuh",      "Eckert",      "Kopp",       "Hering",     "Blum",         "Späth",
    "Scheffler",  "Link",        "Rupp",       "Hess",       "Weis",         "Ackermann",
    "Mohr",       "Bühler",      "Hagen",      "Hartung",    "Wilke",        "Fink",
    "Kessler",    "Bürger",      "Reich",      "Stark",      "Gärtner",      "Buchholz",
    "Vetter",     "Funk",        "Rieger",     "Henning",    "Wagener",      "Kaufmann",
    "Lutz",       "Grimm",       "Riedel",     "Schön",      "Rösler",       "Dreßler",
    "Strauß",     "Kößler",      "Mößner",     "Süß",        "Nußbaum",      "Weißenborn",
    "Großmann",   "Preuß",       "Rößler",     "Heß",        "Buß",          "Kloß",
    "Spieß",      "Fleißner",    "Grüning",    "Lübbers",    "Dürr",         "Brüggemann",
    "Tödter",     "Bräuer",      "Häußler",    "Wöhler",     "Mühlhäuser",   "Lüdtke",
    "Jürgens",    "Böckmann",    "Többen",     "Kötter",     "Höfer",        "Schürmann",
    "Rühl",       "Dührkop",     "Küster",     "Schäffler",  "Blümel",       "Rümmler",
    "Gößwein",    "Löhr",        "Wüst",       "Fürst",      "Vöhringer",    "Sprenger",
    "Ostermann",  "Niehaus",     "Tenbrink",   "Vennemann",  "Dammeier",     "Brockmeyer",
    "Oberländer", "Unterberger", "Eichhorn",   "Hollstein",  "Kleinschmidt", "Langenbach",
    "Rosenthal",  "Lindemann",   "Holzapfel",  "Birnbaum",   "Apfelbaum",    "Wasserfall",
    "Steinbach",  "Mittag",      "Abend",      "Morgenroth", "Sonntag",      "Feiertag",
    "Lehnert",    "Tietze",      "Kaczmarek",  "Nowak",      "Novák",        "Šimek",
    "Žák",        "Šafranek",    "Dvorak",     "Lefèvre",    "Dupré",        "Fontaine",
    "Thévenot",   "Maréchal",    "Ménard",     "Rochefort",  "Cœurdevey",    "Lœwe",
    "Ÿsenburg",   "Zöllner",
};

// Spelling changes seen in old registers, and endings that make patronymic or regional forms.
constexpr std::string_view kSurnameSuffixes[] = {
    "s",     "e",     "er",    "ke",      "ert",   "mann",   "ing",   "el",     "le",     "ner",
    "sen",   "meier", "meyer", "bauer",   "huber", "berger", "hofer", "felder", "dorf",   "kamp",
    "brink", "haus",  "mühl",  "schulte", "igk",   "isch",   "i",     "y",      "ow",     "itz",
    "ski",   "ius",   "ich",   "chen",    "lein",  "inger",  "bach",  "feld",   "gräber", "böck",
};

constexpr std::string_view kMaleGivenNames[] = {
    "Johann",     "Georg",     "Friedrich",    "Heinrich",  "Wilhelm",   "Karl",     "Christian",
    "Jakob",      "Peter",     "Michael",      "Andreas",   "Martin",    "Joseph",   "Franz",
    "Ludwig",     "August",    "Philipp",      "Adam",      "Konrad",    "Matthias", "Johannes",
    "Hans",       "Paul",      "Ernst",        "Hermann",   "Otto",      "Gustav",   "Albert",
    "Anton",      "Bernhard",  "Christoph",    "Daniel",    "David",     "Eberhard", "Emil",
    "Erich",      "Ferdinand", "Gottfried",    "Gottlieb",  "Gotthard",  "Gregor",   "Gustl",
    "Hieronymus", "Ignaz",     "Jörg",         "Jürgen",    "Kaspar",    "Klaus",    "Kilian",
    "Leonhard",   "Lorenz",    "Lukas",        "Markus",    "Max",       "Melchior", "Nikolaus",
    "Oskar",      "Valentin",  "Rudolf",       "Sebastian", "Simon",     "Stephan",  "Thomas",
    "Tobias",     "Ulrich",    "Veit",         "Walter",    "Werner",    "Wolfgang", "Xaver",
    "Balthasar",  "Benedikt",  "Bartholomäus", "Clemens",   "Dietrich",  "Egon",     "Erwin",
    "Eugen",      "Fritz",     "Götz",         "Günther",   "Hartmut",   "Helmut",   "Horst",
    "Kurt",       "Lüder",     "Manfred",      "Rüdiger",   "Sigmund",   "Theodor",  "Urban",
    "Vinzenz",    "Alois",     "Arnold",       "Burkhard",  "Engelbert", "Florian",  "Hubert",
    "Leopold",    "Björn",
};

constexpr std::string_view kFemaleGivenNames[] = {
    "Anna",        "Maria",      "Elisabeth", "Margaretha", "Catharina",  "Barbara",    "Sophie",
    "Dorothea",    "Magdalena",  "Christina", "Eva",        "Susanna",    "Helene",     "Luise",
    "Wilhelmine",  "Auguste",    "Johanna",   "Rosina",     "Regina",     "Ursula",     "Agnes",
    "Amalie",      "Apollonia",  "Bertha",    "Charlotte",  "Clara",      "Emma",       "Emilie",
    "Franziska",   "Friederike", "Gertrud",   "Hedwig",     "Henriette",  "Ida",        "Juliane",
    "Karoline",    "Käthe",      "Klara",     "Kunigunde",  "Lina",       "Louise",     "Margarete",
    "Marie",       "Martha",     "Mathilde",  "Minna",      "Ottilie",    "Pauline",    "Rosa",
    "Sabine",      "Sibylla",    "Theresia",  "Veronika",   "Walburga",   "Wilhelmina", "Adelheid",
    "Agatha",      "Antonia",    "Benedikta", "Brigitte",   "Cäcilia",    "Christiane", "Elsbeth",
    "Elfriede",    "Erna",       "Frieda",    "Gisela",     "Gretchen",   "Hanna",      "Ilse",
    "Irmgard",     "Josepha",    "Jutta",     "Katharina",  "Lieselotte", "Lotte",      "Lucia",
    "Magda",       "Mechthild",  "Monika",    "Notburga",   "Olga",       "Renate",     "Rosalie",
    "Scholastika", "Sophia",     "Therese",   "Ulrike",     "Walpurga",   "Bärbel",     "Dörte",
    "Gesine",      "Hildegard",  "Josefine",  "Leonie",     "Ännchen",    "Gundula",    "Helga",
    "Irene",       "Zäzilie",    "Hélène",
};

// Towns grouped by region; Places() joins them to "Ort, Region, Land" once.
struct PlaceRegion {
  std::string_view region;
  std::string_view country;
  std::string_view towns;  // separated by '|'
};

constexpr PlaceRegion kPlaceRegions[] = {
    {"Westfalen", "Deutschland",
     "Münster|Bielefeld|Paderborn|Soest|Lippstadt|Warendorf|Coesfeld|Borken|Rheine|Ibbenbüren|"
     "Lüdinghausen|Beckum|Höxter|Brilon|Arnsberg|Meschede|Siegen|Iserlohn|Lüdenscheid|Gütersloh|"
     "Minden|Herford"},
    {"Lippe", "Deutschland", "Detmold|Lemgo|Blomberg|Bad Salzuflen"},
    {"Rheinland", "Deutschland",
     "Köln|Düsseldorf|Aachen|Bonn|Koblenz|Trier|Neuss|Krefeld|Mönchengladbach|Jülich|Düren|Kleve|"
     "Wesel|Xanten|Geldern|Solingen|Wuppertal|Mayen|Andernach|Bernkastel|Wittlich|Prüm"},
    {"Pfalz", "Deutschland",
     "Kaiserslautern|Speyer|Landau|Neustadt an der "
     "Weinstraße|Zweibrücken|Pirmasens|Frankenthal|Kusel|Bad Dürkheim|Germersheim"},
    {"Hessen", "Deutschland",
     "Darmstadt|Gießen|Marburg|Kassel|Fulda|Wetzlar|Hanau|Friedberg|Alsfeld|Hersfeld|Eschwege|"
     "Homberg|Korbach|Büdingen|Lauterbach|Schlüchtern"},
    {"Nassau", "Deutschland", "Limburg|Weilburg|Dillenburg|Herborn|Idstein|Montabaur"},
    {"Württemberg", "Deutschland",
     "Stuttgart|Tübingen|Ulm|Heilbronn|Esslingen|Reutlingen|Ludwigsburg|Göppingen|Schwäbisch "
     "Hall|Schwäbisch "
     "Gmünd|Aalen|Ellwangen|Biberach|Ravensburg|Rottweil|Balingen|Nürtingen|Calw|Freudenstadt|"
     "Öhringen|Künzelsau|Blaubeuren"},
    {"Baden", "Deutschland",
     "Karlsruhe|Mannheim|Heidelberg|Freiburg im "
     "Breisgau|Pforzheim|Baden-Baden|Offenburg|Lahr|Konstanz|Lörrach|Villingen|Donaueschingen|"
     "Bruchsal|Rastatt|Mosbach|Wertheim|Tauberbischofsheim|Überlingen|Säckingen|Waldshut"},
    {"Oberbayern", "Deutschland",
     "München|Ingolstadt|Freising|Rosenheim|Traunstein|Erding|Dachau|Landsberg am "
     "Lech|Weilheim|Altötting|Mühldorf am Inn|Pfaffenhofen"},
    {"Niederbayern", "Deutschland", "Landshut|Passau|Straubing|Deggendorf|Dingolfing|Regen"},
    {"Oberpfalz", "Deutschland",
     "Regensburg|Amberg|Weiden|Cham|Neumarkt|Schwandorf|Tirschenreuth|Nabburg"},
    {"Mittelfranken", "Deutschland",
     "Nürnberg|Fürth|Erlangen|Ansbach|Rothenburg ob der "
     "Tauber|Dinkelsbühl|Weißenburg|Schwabach|Gunzenhausen"},
    {"Unterfranken", "Deutschland",
     "Würzburg|Schweinfurt|Aschaffenburg|Kitzingen|Bad Kissingen|Lohr am Main"},
    {"Oberfranken", "Deutschland",
     "Bamberg|Bayreuth|Coburg|Hof|Kulmbach|Kronach|Forchheim|Lichtenfels"},
    {"Schwaben", "Deutschland",
     "Augsburg|Kempten|Memmingen|Kaufbeuren|Nördlingen|Dillingen an der Donau|Günzburg|Lindau"},
    {"Sachsen", "Deutschland",
     "Dresden|Leipzig|Chemnitz|Zwickau|Plauen|Freiberg|Meißen|Großenhain|Pirna|Bautzen|Görlitz|"
     "Zittau|Döbeln|Annaberg|Oschatz|Grimma"},
    {"Thüringen", "Deutschland",
     "Erfurt|Weimar|Jena|Gotha|Eisenach|Arnstadt|Mühlhausen|Nordhausen|Saalfeld|Rudolstadt|"
     "Meiningen|Suhl|Gera|Altenburg"},
    {"Provinz Sachsen", "Deutschland",
     "Halle|Magdeburg|Halberstadt|Quedlinburg|Wernigerode|Stendal|Salzwedel|Merseburg|Naumburg|"
     "Weißenfels|Eisleben|Sangerhausen"},
    {"Anhalt", "Deutschland", "Dessau|Köthen|Bernburg|Zerbst"},
    {"Braunschweig", "Deutschland", "Braunschweig|Wolfenbüttel|Helmstedt|Holzminden"},
    {"Hannover", "Deutschland",
     "Hannover|Göttingen|Hildesheim|Lüneburg|Celle|Uelzen|Stade|Verden|Nienburg|Osnabrück|Lingen|"
     "Meppen"},
    {"Ostfriesland", "Deutschland", "Aurich|Emden|Leer|Norden"},
    {"Oldenburg", "Deutschland", "Oldenburg|Vechta|Cloppenburg|Jever|Delmenhorst"},
    {"Bremen", "Deutschland", "Bremen"},
    {"Hamburg", "Deutschland", "Hamburg"},
    {"Lübeck", "Deutschland", "Lübeck"},
    {"Holstein", "Deutschland", "Kiel|Itzehoe|Neumünster|Plön|Eutin|Bad Segeberg"},
    {"Schleswig", "Deutschland", "Schleswig|Flensburg|Husum|Rendsburg"},
    {"Mecklenburg", "Deutschland",
     "Schwerin|Rostock|Wismar|Güstrow|Neubrandenburg|Parchim|Waren|Neustrelitz"},
    {"Brandenburg", "Deutschland",
     "Berlin|Potsdam|Brandenburg an der Havel|Frankfurt an der "
     "Oder|Cottbus|Prenzlau|Neuruppin|Perleberg|Luckau|Guben"},
    {"Pommern", "Deutschland", "Stettin|Stralsund|Greifswald|Kolberg|Köslin|Stolp|Anklam|Demmin"},
    {"Ostpreußen", "Deutschland",
     "Königsberg|Tilsit|Insterburg|Allenstein|Preußisch Eylau|Gumbinnen"},
    {"Westpreußen", "Deutschland", "Danzig|Elbing|Marienburg|Thorn"},
    {"Schlesien", "Deutschland",
     "Breslau|Liegnitz|Glogau|Oppeln|Hirschberg|Neiße|Ratibor|Schweidnitz"},
    {"Posen", "Deutschland", "Posen|Bromberg"},
    {"Saarland", "Deutschland", "Saarbrücken|Saarlouis|Sankt Wendel"},
    {"Böhmen", "Österreich", "Eger|Reichenberg|Krumau"},
    {"Tirol", "Österreich", "Innsbruck"},
    {"Salzburg", "Österreich", "Salzburg"},
    {"Oberösterreich", "Österreich", "Linz"},
    {"Steiermark", "Österreich", "Graz"},
    {"Vorarlberg", "Österreich", "Bregenz"},
    {"Kanton Zürich", "Schweiz", "Zürich"},
    {"Kanton Basel", "Schweiz", "Basel"},
    {"Kanton Schaffhausen", "Schweiz", "Schaffhausen"},
    {"Elsass", "Frankreich", "Straßburg|Colmar|Mülhausen"},
    {"Lothringen", "Frankreich", "Metz|Sarrebourg|Château-Salins"},
    {"Wisconsin", "USA", "Milwaukee"},
    {"Ohio", "USA", "Cincinnati"},
    {"Texas", "USA", "New Braunfels"},
};

constexpr std::string_view kMaleOccupations[] = {
    "Bauer",         "Ackerbürger",    "Tagelöhner",     "Knecht",      "Schmied",
    "Müller",        "Weber",          "Schneider",      "Schuhmacher", "Bäcker",
    "Metzger",       "Zimmermann",     "Maurer",         "Tischler",    "Schreiner",
    "Wagner",        "Böttcher",       "Fuhrmann",       "Gastwirt",    "Kaufmann",
    "Krämer",        "Lehrer",         "Pfarrer",        "Küster",      "Kantor",
    "Bürgermeister", "Schultheiß",     "Förster",        "Jäger",       "Schäfer",
    "Hirte",         "Fischer",        "Brauer",         "Gerber",      "Sattler",
    "Seiler",        "Töpfer",         "Glaser",         "Drechsler",   "Färber",
    "Bergmann",      "Hüttenarbeiter", "Fabrikarbeiter", "Eisenbahner", "Schlosser",
    "Dreher",        "Buchdrucker",    "Uhrmacher",      "Goldschmied", "Kutscher",
    "Soldat",        "Unteroffizier",  "Gendarm",        "Zollbeamter", "Postbote",
    "Amtmann",       "Notar",          "Arzt",           "Apotheker",   "Chirurg",
    "Hofbesitzer",   "Halbspänner",    "Kötner",         "Häusler",
};

constexpr std::string_view kFemaleOccupations[] = {
    "Magd",         "Näherin",      "Hebamme",          "Dienstmagd",    "Köchin",
    "Wäscherin",    "Spinnerin",    "Weberin",          "Lehrerin",      "Schneiderin",
    "Putzmacherin", "Haushälterin", "Fabrikarbeiterin", "Tagelöhnerin",  "Krankenschwester",
    "Verkäuferin",  "Gastwirtin",   "Hausfrau",         "Kindermädchen", "Näherin und Büglerin",
};

constexpr std::string_view kNoteSentences[] = {
    "Laut Kirchenbuch „ehelich geboren“.",
    "Taufpate war der Bruder des Vaters.",
    "Angaben unsicher – Eintrag im Kirchenbuch schwer lesbar.",
    "Die Familie wanderte nach dem Dreißigjährigen Krieg zu.",
    "Im Sterberegister als „Witwe des Verstorbenen“ bezeichnet.",
    "Geburtsdatum aus dem Alter bei der Trauung errechnet.",
    "Nach mündlicher Überlieferung stammte die Familie aus Böhmen.",
    "Der Hof ging an den ältesten Sohn über.",
    "Wohnte zuletzt im Haus Nr. 17 an der Hauptstraße.",
    "Vermerk des Pfarrers: „starb an der Auszehrung“.",
    "Zwillingsgeburt – das zweite Kind starb bei der Geburt.",
    "Konfirmiert in der Stadtkirche zu Pfingsten.",
    "Ausgewandert nach Amerika, Verbleib unbekannt.",
    "Die Schreibweise des Namens wechselt in den Quellen häufig.",
    "Bürgerrecht erworben gegen eine Gebühr von 3 Gulden.",
    "Erbe des väterlichen Anwesens; Übergabevertrag im Staatsarchiv.",
    "Unehelich geboren; Vater laut Vermerk „unbekannt“.",
    "Gefallen im Krieg, Grab nicht bekannt.",
    "Siehe auch die Familienchronik von 1892, Seite 14–18.",
    "Die Trauung fand im Haus der Braut statt.",
    "Nachfahren leben heute noch im Ort.",
    "Dienstbuch der Gemeinde nennt ihn als Nachtwächter.",
    "Eintrag nachträglich am Rand ergänzt.",
    "Ihr Nachlass („Œuvre“ der Stickerin) liegt im Heimatmuseum.",
};

constexpr std::string_view kSourceKinds[] = {
    "Ev. Kirchenbuch, Taufen",
    "Ev. Kirchenbuch, Trauungen",
    "Ev. Kirchenbuch, Begräbnisse",
    "Kath. Kirchenbuch, Taufen",
    "Kath. Kirchenbuch, Trauungen",
    "Kath. Kirchenbuch, Sterbefälle",
    "Standesamt, Geburtsregister",
    "Standesamt, Heiratsregister",
    "Standesamt, Sterberegister",
    "Bürgerbuch",
    "Steuerliste",
    "Ortsfamilienbuch",
    "Auswandererliste",
    "Musterungsliste",
};

}  // namespace

std::span<const std::string_view> Surnames() { return kSurnames; }
std::span<const std::string_view> SurnameSuffixes() { return kSurnameSuffixes; }
std::span<const std::string_view> MaleGivenNames() { return kMaleGivenNames; }
std::span<const std::string_view> FemaleGivenNames() { return kFemaleGivenNames; }
std::span<const std::string_view> Places() {
  struct Table {
    std::vector<std::string> texts;
    std::vector<std::string_view> views;
  };
  static const Table table = [] {
    Table t;
    for (const PlaceRegion& region : kPlaceRegions) {
      for (std::size_t begin = 0; begin <= region.towns.size();) {
        const std::size_t end = std::min(region.towns.find('|', begin), region.towns.size());
        t.texts.push_back(std::string(region.towns.substr(begin, end - begin)) + ", " +
                          std::string(region.region) + ", " + std::string(region.country));
        begin = end + 1;
      }
    }
    t.views.assign(t.texts.begin(), t.texts.end());
    return t;
  }();
  return table.views;
}
std::span<const std::string_view> MaleOccupations() { return kMaleOccupations; }
std::span<const std::string_view> FemaleOccupations() { return kFemaleOccupations; }
std::span<const std::string_view> NoteSentences() { return kNoteSentences; }
std::span<const std::string_view> SourceKinds() { return kSourceKinds; }

}  // namespace korvane::bench
