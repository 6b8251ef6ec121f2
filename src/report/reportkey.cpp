#include "report/reportkey.h"

namespace zavevad {

const std::vector<KeyEntry> &reportKey()
{
    constexpr KeyScope classes = KeyScope::Classes;
    constexpr KeyScope skills = KeyScope::Skills;
    static const std::vector<KeyEntry> key{
            {QStringLiteral("Nazwisko i imię"),
                    QStringLiteral("uczeń, jak zapisał go program "
                                   "do testów.")},
            {QStringLiteral("Klasa"),
                    QStringLiteral("nazwa folderu, z którego wczytano pliki wyników ucznia."),
                    classes},
            {QStringLiteral("1, 2, 3, ..."),
                    QStringLiteral("numery pytań; 1 oznacza odpowiedź poprawną, 0 błędną.")},
            {QStringLiteral("Suma"),
                    QStringLiteral("liczba poprawnych odpowiedzi (punktów); w wierszu „Suma” "
                                   "– liczba uczniów, którzy odpowiedzieli poprawnie.")},
            {QStringLiteral("Ocena"),
                    QStringLiteral("ocena według progów procentowych podanych na pierwszej "
                                   "stronie.")},
            {QStringLiteral("Średnia (%)"),
                    QStringLiteral("odsetek poprawnych odpowiedzi na pytanie; w porównaniu klas "
                                   "– średni wynik klasy w procentach.")},
            {QStringLiteral("Początek, Koniec"),
                    QStringLiteral("data i godzina rozpoczęcia i zakończenia testu przez "
                                   "ucznia.")},
            {QStringLiteral("Czas pracy"),
                    QStringLiteral("czas od rozpoczęcia do zakończenia testu.")},
            {QStringLiteral("Średni (min)"),
                    QStringLiteral("średni czas pracy uczniów w minutach.")},
            {QStringLiteral("Ilość ocen"), QStringLiteral("liczba uczniów z daną oceną.")},
            {QStringLiteral("Średnia z ocen, Średnia ocena"),
                    QStringLiteral("średnia ocen uczniów (Cel = 6, Bdb = 5, Db = 4, Dst = 3, "
                                   "Dop = 2, Ndst = 1).")},
            {QStringLiteral("Pytanie"), QStringLiteral("numer pytania testu.")},
            {QStringLiteral("Dobrze"),
                    QStringLiteral("liczba uczniów, którzy odpowiedzieli na pytanie "
                                   "poprawnie.")},
            {QStringLiteral("Łatwość"),
                    QStringLiteral("odsetek poprawnych odpowiedzi jako ułamek od 0 do 1: im "
                                   "wyższa, tym łatwiejsze pytanie.")},
            {QStringLiteral("Interpretacja"),
                    QStringLiteral("kategoria łatwości: bardzo trudne (poniżej 0,20), trudne "
                                   "(poniżej 0,50), umiarkowanie trudne (poniżej 0,70), łatwe "
                                   "(poniżej 0,90), bardzo łatwe (od 0,90).")},
            {QStringLiteral("Moc różn."),
                    QStringLiteral("moc różnicująca: korelacja odpowiedzi na pytanie z wynikiem "
                                   "ucznia w pozostałych pytaniach; im wyższa, tym lepiej pytanie "
                                   "oddziela uczniów mocniejszych od słabszych.")},
            {QStringLiteral("Górna-dolna"),
                    QStringLiteral("różnica łatwości pytania w grupie 27 % uczniów z "
                                   "najwyższymi wynikami i w grupie 27 % z najniższymi.")},
            {QStringLiteral("KR-20 bez"),
                    QStringLiteral("rzetelność testu po pominięciu tego pytania: wyższa niż "
                                   "całego testu znaczy, że pytanie ją obniża.")},
            {QStringLiteral("Uwagi"), QStringLiteral("ostrzeżenia o mocy różnicującej pytania.")},
            {QStringLiteral("słaba"),
                    QStringLiteral("moc różnicująca od 0,00 do 0,19: pytanie prawie nie "
                                   "odróżnia lepszych uczniów od słabszych.")},
            {QStringLiteral("ujemna"),
                    QStringLiteral("moc różnicująca poniżej 0,00: słabsi uczniowie odpowiadali "
                                   "lepiej niż lepsi; warto sprawdzić klucz.")},
            {QStringLiteral("stała"),
                    QStringLiteral("wszyscy uczniowie odpowiedzieli tak samo, więc mocy "
                                   "różnicującej nie da się obliczyć.")},
            {QStringLiteral("–"), QStringLiteral("wartość nieokreślona dla tych danych.")},
            {QStringLiteral("Liczba uczniów"), QStringLiteral("liczba wczytanych uczniów.")},
            {QStringLiteral("Średnia (pkt), Mediana (pkt)"),
                    QStringLiteral("średni i środkowy wynik uczniów w punktach.")},
            {QStringLiteral("Odchylenie standardowe"),
                    QStringLiteral("jak bardzo wyniki uczniów rozchodzą się wokół średniej, w "
                                   "punktach.")},
            {QStringLiteral("KR-20, KR-20 (rzetelność)"),
                    QStringLiteral("rzetelność testu od 0 do 1: wysoka od 0,80, zadowalająca od "
                                   "0,70, niska poniżej.")},
            {QStringLiteral("Błąd pomiaru (SEM)"),
                    QStringLiteral("o ile punktów wynik ucznia może się typowo różnić od jego "
                                   "rzeczywistego poziomu.")},
            {QStringLiteral("Wynik najniższy (pkt), Wynik najwyższy (pkt)"),
                    QStringLiteral("najmniejsza i największa liczba punktów ucznia.")},
            {QStringLiteral("Modalna (pkt)"),
                    QStringLiteral("wynik uzyskany przez największą liczbę uczniów.")},
            {QStringLiteral("Łatwość testu"),
                    QStringLiteral("średni wynik jako ułamek liczby pytań, oceniany jak łatwość "
                                   "pytania.")},
            {QStringLiteral("KR-20: przedział 95 %"),
                    QStringLiteral("przedział, w którym z prawdopodobieństwem 95 % leży "
                                   "rzetelność testu (metoda Feldta).")},
            {QStringLiteral("Rzetelność połówkowa"),
                    QStringLiteral("zgodność wyników z pytań nieparzystych i parzystych, "
                                   "przeliczona na cały test (Spearman–Brown).")},
            {QStringLiteral("Pytań do rzetelności 0,80"),
                    QStringLiteral("ile podobnych pytań musiałby mieć test, by jego rzetelność "
                                   "sięgnęła 0,80.")},
            {QStringLiteral("Przedział wyniku (±1,96 SEM)"),
                    QStringLiteral("o ile punktów w górę i w dół może się różnić wynik ucznia "
                                   "przy 95 % pewności.")},
            {QStringLiteral("Punkty, Procent"),
                    QStringLiteral("wynik ucznia w punktach i w procentach liczby pytań.")},
            {QStringLiteral("Ranga centylowa"),
                    QStringLiteral("odsetek uczniów z niższym wynikiem (równy wynik liczy się "
                                   "w połowie).")},
            {QStringLiteral("Stanin, Opis"),
                    QStringLiteral("miejsce na dziewięciostopniowej skali staninowej (1 "
                                   "najniższy, 5 średni, 9 najwyższy) i jego nazwa.")},
            {QStringLiteral("Udział (%), Norma (%)"),
                    QStringLiteral("odsetek uczniów w danym staninie i odsetek oczekiwany przy "
                                   "rozkładzie normalnym.")},
            {QStringLiteral("Mała grupa: staniny są orientacyjne"),
                    QStringLiteral("przy mniej niż 30 uczniach jeden punkt potrafi zmienić "
                                   "stanin.")},
            {QStringLiteral("Wskaźnik ostrożności, Wskaźnik ostrożności pytania"),
                    QStringLiteral("wskaźnik Sato: 0, gdy odpowiedzi pasują do wyniku; od 0,50 "
                                   "odpowiedzi są nietypowe (ucznia) lub pytanie warto "
                                   "sprawdzić.")},
            {QStringLiteral("nietypowe odpowiedzi, sprawdź klucz"),
                    QStringLiteral("uczeń myli się w łatwych pytaniach, a trafia w trudne; "
                                   "pytanie lepiej wychodzi słabszym niż lepszym uczniom.")},
            {QStringLiteral("Umiejętność, Wymaganie"),
                    QStringLiteral("umiejętność i wymaganie z kartoteki testu "
                                   "(Kartoteka.txt)."),
                    skills},
            {QStringLiteral("Pytania, Liczba pytań"),
                    QStringLiteral("pytania sprawdzające umiejętność i ich liczba."), skills},
            {QStringLiteral("Liczba uczniów ≥ 50 %"),
                    QStringLiteral("liczba uczniów, którzy poprawnie odpowiedzieli na co "
                                   "najmniej połowę pytań danej umiejętności."),
                    skills},
            {QStringLiteral("Cel, Bdb, Db, Dst, Dop, Ndst"),
                    QStringLiteral("oceny: celująca, bardzo dobra, dobra, dostateczna, "
                                   "dopuszczająca, niedostateczna.")},
            {QStringLiteral("Razem"),
                    QStringLiteral("wszyscy uczniowie wszystkich klas "
                                   "razem."),
                    classes},
            {QStringLiteral("Łatwość pytań w klasach"),
                    QStringLiteral("łatwość każdego pytania w każdej klasie; wyróżniona, gdy "
                                   "jest wyraźnie niższa niż dla wszystkich uczniów."),
                    classes},
            {QStringLiteral("(cd.)"), QStringLiteral("ciąg dalszy tabeli z poprzedniej strony.")},
    };
    return key;
}

QStringList reportKeyParagraphs(bool classes, bool skills)
{
    QStringList paragraphs;
    for (const KeyEntry &entry : reportKey()) {
        if ((entry.scope == KeyScope::Classes && !classes)
                || (entry.scope == KeyScope::Skills && !skills))
            continue;
        paragraphs.append(entry.term + QStringLiteral(" – ") + entry.meaning);
    }
    return paragraphs;
}

} // namespace zavevad
