*00000000cam a22000007a 4500
*001123456
*008040305s2004    sw            000 0 swe d
*020  $a91-7119-123-4 (inb.)
$c150 kr
$x91-7119-123-4
*020  $a978-91-7119-123-4
$x978-91-7119-123-4
*035  $a(Voyager)123456
$x123456
*041 0$aswe
$afre
$aeng
*1001 $aBerg, Anna
$d1950-
*1304 $aThe sound.
$wsound.
*24510$aSmå visor
$hLjudupptagning
$cmed förord av Per Ek. / Anna Berg
*260  $aStockholm
$bFörlaget
$ccop. 1998
$y1998
*300  $a1 CD (62 min)
$e1 häfte
*59200$aBatSorKV21
$b2023-11-14
*650 7$aVisor
$2sao
*660 2$aMusik (Sverige
*7402 $aEn bok
$wbok.
^
*00000000cas a22000007a 4500
*001P77
*022  $a1234-5678
*035  $a(Voyager)P77
$xP77
*24500$aTidskrift för bibliotek
*260  $aLund
$c[199-?]
$y1990
*59200$aBatSorKV21
$b2023-11-14
*852  $bHuvudbiblioteket
$cMag
$hTidskr
$iHylla
^
*00000000cam a22000007a 4500
*001W1
*00900$xSCRAPPED
$y2023-11-14
*035  $a(KVSTHLM)20040305123456
*035  $a(Voyager)W1
$xW1
*24510$aGallrad bok
$cOkand.
*59200$aBatSorKV21
$b2023-11-14
*852  $cMag
$hHc
$iUtgallr
*852  $hHc
$iu
^
*00000000nab a22000007a 4500
*001A5
*035  $a(Voyager)A5
$xA5
*24510$aRecensionen
$hArtikel
*59200$aBatSorKV21
$b2023-11-14
*760  $w1234567
*773  $tTidningen
*787  $iRecension av
$z91-1-2
$x1234-5678
^
