*00000000nam  2200000   4500
*001DLK100000100
*008061204s2006    sw ||||j||||||||||||swe d
*029  $a9789100123456
*0410 $asweeng
*0811 $aHc.01$hHc$nStr|m, Karin$y1950
*1001 $aStr|m, Karin$d1950-
*24510$aV}r i G|teborg$h<Talbok> : en ber{ttelse$cKarin Str|m
*2450 $aDet st|rsta = The largest$bUndertitel
*250  $a2. uppl.$cRev.
*2600 $aStockholm$bF|rlaget$c2006
*300  $a1 cd$c12 cm$v3 tim.
*4400 $aStora b|cker$b{ventyr$e10
*503  $aKopierad fr}n: Bokf|rlaget 2005
*503  $aISBN 91-0-012345-6
*505  $aDel 1
*505  $aDel 2
*5083 $aInl{sare: Per Svensson och Eva Berg
*60010$aStr|m, Karin$d1950-
*650  $aG|teborg$2NLMSH
*70012$aBerg, Eva
*856  $uhttp://exempel.se/bok$fvisa$g1
*8870 $bxTA0000001

^
*00000000nae  2200000   4500
*001DLK200000100
*008061204s2006    sw ||||j||||||||||||swe d
*24510$aSamlade verk
*2600 $aUppsala$bAkademif|rlaget$c2004
*8870 $bxKA0000002

^
*00000000nad  2200000   4500
*001DLK200000200
*24510$aSamlade verk$nD. 1$nVol 2$pDel 1
*8871 $b123456789200000100

^
*00000000nad  2200000   4500
*001DLK200000300
*24510$aSamlade verk$nD. 1$nVol 2$pDel 2
*8871 $b123456789200000100

^
*00000000nae  2200000   4500
*001DLK300000100
*24510$aFilmserien
*2601 $aMalm|$c2003
*8870 $bxVI0000003

^
*00000000nad  2200000   4500
*001DLK300000200
*24510$aFilmserien$pAvsnitt 1 / regi: Anna Ek
*8871 $b123456789300000100

^
